#pragma once

#include <string>

namespace quillet {

// The php.ini lines the runtime starts PHP with: the settings `php` uses on
// Debian 12 where they change what a script does, and the shared extensions
// `php` loads there, each one that is installed.
std::string engineIniEntries();

}  // namespace quillet
