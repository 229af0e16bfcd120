// The wizard's main dialog: pages, navigation and the start of installation.
#pragma once
#include <windows.h>

enum { PAGE_FOLDER, PAGE_DISPLAY_CHECK, PAGE_LICENCE, PAGE_LANGUAGE,
       PAGE_INSTALLING = 99, PAGE_QUIT = -1 };

INT_PTR CALLBACK MainDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the given page's controls and hides the others'; loads the licences the first
// time the licence page appears.
void ShowPage(HWND dialog, int page);

// Adds the lines of a CR LF text to a list box, at most 500; text is changed in place.
// Returns the number of lines added.
int AddLicenceLines(HWND list, char *text);

// Checks the folder, stores the user's choices, runs the install and ends the wizard.
void StartInstallation(HWND dialog);
