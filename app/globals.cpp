#include "app/globals.h"

namespace quillet {

std::unique_ptr<SyntaxEditor> editor;
Text sourceFileName;
Text debugDir;
std::unique_ptr<PictureGroup> projectIcons;

}  // namespace quillet
