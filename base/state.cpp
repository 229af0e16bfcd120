// Storage for the installer's process-wide state.
#include "state.h"

HINSTANCE g_hInstance;
HWND g_hMainDlg;
int g_ntPlatform;
int g_version3;
int g_chineseVariant;
int g_interfaceLanguage;
int g_displayOk;
int g_desktopIcon;
int g_wizardPage;
HDC g_glyphDC[4];
HBITMAP g_glyphPlane[4];
HGDIOBJ g_glyphPrevious[4];
HFONT g_sampleFont;
HICON g_mainIcon;
WNDPROC g_buttonProc;
char g_wizardFolder[MAX_PATH];
char g_windowsFolder[MAX_PATH];
char g_installFolder[MAX_PATH];
