// Drives the running installer from outside: its process, wizard dialog, controls and message boxes.
#pragma once
#include <windows.h>
#include <string>

// Control IDs of the wizard dialog and of its message box.
enum {
    ID_OK = 1, ID_CANCEL = 2, ID_BACK = 3, ID_RETRY = 4, ID_YES = 6, ID_NO = 7,
    ID_NEXT = 1001, ID_FOLDER = 1002, ID_BROWSE = 1003, ID_DESKTOP = 1004,
    ID_ANSWER_OK = 1007, ID_ANSWER_NO = 1008, ID_ENGLISH = 1010,
    ID_LICENCE_EN = 1014, ID_LICENCE_ZH = 1019, ID_PROGRESS = 1026,
    ID_MESSAGE_EN = 1028, ID_LANGUAGE = 1031
};

// Deadlines in milliseconds. Every wait ends as soon as its state comes, so the limits are
// set for the slowest host that runs the scenarios: the PE32 in an emulated 32-bit guest,
// where the installer stays busy for seconds on reaching a page.
enum {
    STATE_MS = 15000,     // a page switch or check toggle after a click
    START_MS = 60000,     // the installer's dialog after CreateProcess (a first Wine start in a busy guest)
    INSTALL_MS = 90000,   // the result message after Install
    EXIT_MS = 15000       // process end after the last click
};

// Prints the failure, ends the installer and exits the driver with code 1.
[[noreturn]] void Fail(const char *format, ...);
void Note(const char *format, ...);

// Starts the installer from the current folder and waits for its wizard dialog; the
// installer's own current folder is `workingFolder`, or the driver's when it is NULL.
void StartInstaller(const char *workingFolder = NULL);
// The installer file that the next start runs, in the current folder ("PendrelSetup.exe").
void UseInstaller(const char *exe);
// Runs the installer to its end, failing if it shows any window; returns its exit code.
DWORD RunInstallerWithoutWindow();
DWORD InstallerProcessId();
HWND WizardDialog();
// Fails when the installer process has ended; `what` names the awaited event.
void FailIfInstallerGone(const char *what);
// The installer's visible message box, or NULL.
HWND FindMessageBox();
// The English text of a message box.
std::string MessageText(HWND box);

// Polls `test` until it holds and returns true, or returns false after `ms`; fails at
// once when the installer ends or a message box that nobody waits for shows up.
template <typename Test>
bool PollUntil(const char *what, DWORD ms, Test test)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (test())
            return true;
        FailIfInstallerGone(what);
        if (HWND box = FindMessageBox())
            Fail("unexpected message box \"%s\" while waiting for %s", MessageText(box).c_str(),
                 what);
        if (GetTickCount() - start > ms)
            return false;
        Sleep(20);
    }
}

// As PollUntil, failing on the deadline.
template <typename Test>
void WaitUntil(const char *what, DWORD ms, Test test)
{
    if (!PollUntil(what, ms, test))
        Fail("timed out after %lu ms waiting for %s", (unsigned long)ms, what);
}

HWND Control(int id);
bool IsShown(int id);
// Sends a query to a window of the installer; fails when it does not answer in time.
LRESULT Query(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int CheckState(int id);
std::string WindowText(HWND window);
void Click(int id);
void SetFolder(const char *folder);
void SelectLanguage(int value);

// The page whose first control is visible: 0-3, -1 for none, -2 for more than one.
int VisiblePage();
void WaitForPage(int page);
void WaitForCheck(int id, int state);

// Waits for a message box whose English text is `english` (where a '*' stands for any run of
// characters) and checks that exactly the buttons for `button` are shown (OK alone, Yes and
// No, or Retry and Cancel).
HWND ExpectMessage(const char *english, int button, DWORD ms);
// Clicks a button of the box and waits for the box to close.
void Answer(HWND box, int button);
void AnswerMessage(const char *english, int button, DWORD ms);
// Closes the box with its close box (the system menu's Close) and waits for it to go.
void CloseMessage(HWND box);
// Waits for the installer to end with exit code 0 and no message box on the way.
void WaitForCleanExit();
// Starts another copy of the installer while this one runs: it must show the message
// `english` with OK instead of a wizard, and end when OK is pressed. Returns its exit code.
DWORD RunSecondCopy(const char *english);
