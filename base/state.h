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

// Drawing resources made once at start-up and released at exit.
extern HDC g_glyphDC[4];            // one memory DC per glyph-atlas plane
extern HBITMAP g_glyphPlane[4];     // the plane bitmaps selected into g_glyphDC
extern HGDIOBJ g_glyphPrevious[4];  // what each glyph DC held before its plane
extern HFONT g_sampleFont;          // GB2312 font of the display check; may be NULL
extern HICON g_mainIcon;            // the window icon
extern WNDPROC g_buttonProc;        // button procedure behind the subclassed check boxes

enum { DEFAULT_BUTTON_ID = 1001 };  // the command Enter gives outside push buttons

extern char g_wizardFolder[MAX_PATH];   // folder of our own executable, ends with '\'
extern char g_windowsFolder[MAX_PATH];  // Windows directory, ends with '\'
extern char g_installFolder[MAX_PATH];  // install target, no trailing '\'
