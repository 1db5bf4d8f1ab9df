#pragma once

#include <sys/types.h>
#include <optional>
#include <string>

#include "text/text_types.h"

namespace quillet {

// The whole content of a file; nothing when it cannot be read (a folder
// cannot be read either).
std::optional<ByteSet> readWholeFile(const std::string& path);

// Writes `bytes` to a temporary file in the same folder, gives it `mode`,
// and renames it over `path`, so `path` holds either its old content or the
// whole new one. Returns the reason when it fails; the temporary file is gone
// then.
std::optional<std::string> replaceFile(const std::string& path, const ByteSet& bytes, mode_t mode);

}  // namespace quillet
