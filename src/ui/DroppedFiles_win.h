#pragma once
// Files dragged from the shell and dropped on a window (WS_EX_ACCEPTFILES).
// The shell's functions for them come from shell32, loaded at the first drop.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace ui {

// The dropped paths in the order the shell lists them (UTF-8); the drop's
// memory is given back, also when reading fails.
std::vector<std::string> TakeDroppedFiles(HDROP drop);

}  // namespace ui
