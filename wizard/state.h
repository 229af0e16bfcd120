// The installer's process-wide state: who owns each value is noted beside it.
#pragma once
#include <windows.h>

extern HINSTANCE g_hInstance;       // module holding every resource; set at entry
extern HWND g_hMainDlg;             // main wizard dialog, owner of every message box

extern int g_ntPlatform;            // 1 on the NT line; set by version detection
extern int g_version3;              // 1 when the system reports major version 3
extern int g_chineseVariant;        // 0 none, 1 Simplified, 2 Traditional (start-up)
extern int g_interfaceLanguage;     // 0 English, 1 Simplified, 2 Traditional (Install)
extern int g_displayOk;             // 1 when Chinese displayed correctly (page 1)
extern int g_desktopIcon;           // 1 when the desktop shortcut was asked for (Install)
extern int g_wizardPage;            // 0-3 pages, 99 installing, -1 quit

extern char g_wizardFolder[MAX_PATH];   // folder of our own executable, ends with '\'
extern char g_windowsFolder[MAX_PATH];  // Windows directory, ends with '\'
extern char g_installFolder[MAX_PATH];  // install target, no trailing '\'
