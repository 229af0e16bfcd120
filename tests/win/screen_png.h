// Saves what the screen shows in a rectangle as a PNG file, for a person to look at.
#pragma once
#include <windows.h>

// Screen coordinates; false when the pixels cannot be read or the file cannot be written.
bool SaveScreenPng(const char *path, const RECT &area);
