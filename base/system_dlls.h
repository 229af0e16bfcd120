// Where the installer's DLLs come from: the system folder, never the folder it was started
// from (a downloaded installer sits beside whatever else was downloaded).
#pragma once
#include <windows.h>

// Restricts the process's DLL search to the system folder where the system offers that, and
// makes every delay-loaded DLL load by its full system-folder path. Call first, before any
// call into a delay-loaded DLL (user32, gdi32, comctl32, comdlg32, shell32, ole32, advapi32).
void UseSystemDllsOnly(void);

// Loads a DLL by its full path in the system folder; NULL when it is not there.
HMODULE LoadSystemDll(const char *name);
