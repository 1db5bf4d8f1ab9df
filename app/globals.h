#pragma once

#include <memory>

#include "app/picture_group.h"
#include "editor/syntax_editor.h"
#include "text/text_types.h"

namespace quillet {

// The shell's state, alive from start-up to tearDown.
extern std::unique_ptr<SyntaxEditor> editor;
extern Text sourceFileName;  // the project's script name, GBK
extern Text debugDir;        // the project's Debug folder, GBK
extern std::unique_ptr<PictureGroup> projectIcons;

}  // namespace quillet
