#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// The executable written for a script: its path without ".php" (in any case),
// so "demo.php" gives "demo" and "sub/Demo.PHP" gives "sub/Demo". Nothing for
// a name without ".php", which would otherwise overwrite the script itself,
// and for a name that is only ".php".
std::optional<std::string> executableNameFor(std::string_view scriptPath);

// The last component of a path: "sub/demo.php" gives "demo.php".
std::string_view baseName(std::string_view path);

// The folder part of a path, "." when there is none: "sub/demo" gives "sub".
std::string folderOf(std::string_view path);

}  // namespace quillet
