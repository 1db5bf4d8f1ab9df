#pragma once

namespace quillet {

// The program: builds the editor, shows the main window, runs the loop, and
// has tearDown run once when it ends. Always answers 0.
int startUp(int argc, char** argv);

// Releases the shell's globals; runs once, at the end of the program.
void tearDown();

// "黑体" and "宋体" name Windows fonts: point them at installed CJK fonts.
void mapChineseFonts();

}  // namespace quillet
