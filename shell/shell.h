// Shell integration: special folders, shortcuts, and the destination-folder picker.
#pragma once
#include <windows.h>

// A shortcut to make in the Start-menu folder; a table ends with a NULL name.
struct ShortcutEntry {
    const char *name;       // file name without ".lnk", also the description
    const char *target;     // file name inside the install folder
};

// Path of a special folder (CSIDL_PROGRAMS, CSIDL_DESKTOP) from the shell. 1 on success.
int GetSpecialFolder(char *path, int csidl);

// The same paths built from the Windows folder, for systems of major version 3.
int GetLegacyFolder(char *path, int csidl);

// Writes a shortcut file at shortcutPath pointing at targetPath. 1 when saved.
int CreateShortcut(const char *targetPath, const char *shortcutPath, const char *description);

// Makes the program folder (folderName may be NULL or empty) under the special folder
// and one shortcut per entry; reports failures to the user. 1 when all went well.
int CreateStartMenuEntries(const char *folderName, const ShortcutEntry *entries, int csidl);

// Puts a shortcut to target (in the install folder) on the desktop; silent on failure.
void CreateDesktopShortcut(const char *target, const char *name);

// Lets the user choose the install folder; on OK the folder is in g_installFolder and
// 1 is returned.
int BrowseForFolder(HWND owner);

UINT_PTR CALLBACK PickerHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
