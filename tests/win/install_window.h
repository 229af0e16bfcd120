// A stand-in for the wizard dialog during install tests: its progress bar records every
// position and can make something happen on the disk when the install reaches one.
#pragma once
#include <windows.h>
#include <functional>
#include <vector>

extern std::vector<int> g_positions;
// Called with each position as the install sets it; empty for nothing.
extern std::function<void(int position)> g_atPosition;

// A hidden window holding a progress bar stand-in as control 1026.
HWND MakeDialogWithProgressBar();
