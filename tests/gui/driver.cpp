// Starts the installer and works its windows across the process boundary with posted clicks and timed queries.
#include "driver.h"
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

static PROCESS_INFORMATION g_installer;
static PROCESS_INFORMATION g_firstCopy;    // the copy that runs on while a second one starts
static HWND g_dialog;

static const char *g_installerExe = "PendrelSetup.exe";
static const char kDialogCaption[] = "Pendrel Installer";
static const char kMessageCaption[] = "Pendrel Install Message";
// How long one sent query may take; the installer is idle whenever we query it.
static const UINT kQueryMs = 10000;

void Fail(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    printf("FAIL: ");
    vprintf(format, args);
    printf("\n");
    va_end(args);
    fflush(stdout);
    for (const PROCESS_INFORMATION *copy : { &g_installer, &g_firstCopy }) {
        if (copy->hProcess) {
            TerminateProcess(copy->hProcess, 99);
            WaitForSingleObject(copy->hProcess, 5000);
        }
    }
    ExitProcess(1);
}

void Note(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    vprintf(format, args);
    printf("\n");
    va_end(args);
    fflush(stdout);
}

// A top-level window of the installer's process with the given caption and dialog class.
struct WindowSearch {
    const char *caption;
    HWND found;
};

static BOOL CALLBACK MatchInstallerWindow(HWND window, LPARAM param)
{
    WindowSearch *search = (WindowSearch *)param;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != g_installer.dwProcessId || !IsWindowVisible(window))
        return TRUE;
    char name[64] = "";
    char caption[128] = "";
    GetClassNameA(window, name, sizeof name);
    GetWindowTextA(window, caption, sizeof caption);
    if (strcmp(name, "#32770") != 0 || strcmp(caption, search->caption) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

static HWND FindInstallerWindow(const char *caption)
{
    WindowSearch search = { caption, NULL };
    EnumWindows(MatchInstallerWindow, (LPARAM)&search);
    return search.found;
}

HWND FindMessageBox()
{
    return FindInstallerWindow(kMessageCaption);
}

void FailIfInstallerGone(const char *what)
{
    if (WaitForSingleObject(g_installer.hProcess, 0) != WAIT_OBJECT_0)
        return;
    DWORD code = 0;
    GetExitCodeProcess(g_installer.hProcess, &code);
    Fail("installer ended (exit code %lu) while waiting for %s", (unsigned long)code, what);
}

void UseInstaller(const char *exe)
{
    g_installerExe = exe;
}

static void LaunchInstaller(const char *workingFolder)
{
    if (GetFileAttributesA(g_installerExe) == INVALID_FILE_ATTRIBUTES)
        Fail("%s is not in the current folder (run from the build folder)", g_installerExe);
    STARTUPINFOA startup;
    memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    char commandLine[MAX_PATH];
    snprintf(commandLine, sizeof commandLine, "%s", g_installerExe);
    memset(&g_installer, 0, sizeof g_installer);
    if (!CreateProcessA(g_installerExe, commandLine, NULL, NULL, FALSE, 0, NULL, workingFolder,
                        &startup, &g_installer))
        Fail("cannot start %s (error %lu)", g_installerExe, (unsigned long)GetLastError());
}

static BOOL CALLBACK MatchAnyVisibleWindow(HWND window, LPARAM param)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != g_installer.dwProcessId || !IsWindowVisible(window))
        return TRUE;
    *(HWND *)param = window;
    return FALSE;
}

static DWORD TakeExitCode()
{
    DWORD code = 1;
    GetExitCodeProcess(g_installer.hProcess, &code);
    CloseHandle(g_installer.hProcess);
    CloseHandle(g_installer.hThread);
    memset(&g_installer, 0, sizeof g_installer);
    return code;
}

DWORD RunInstallerWithoutWindow()
{
    LaunchInstaller(NULL);
    DWORD start = GetTickCount();
    while (WaitForSingleObject(g_installer.hProcess, 20) != WAIT_OBJECT_0) {
        HWND shown = NULL;
        EnumWindows(MatchAnyVisibleWindow, (LPARAM)&shown);
        if (shown) {
            char caption[128] = "";
            GetWindowTextA(shown, caption, sizeof caption);
            Fail("the installer showed a window \"%s\"", caption);
        }
        if (GetTickCount() - start > START_MS)
            Fail("installer still running %d ms after it started", START_MS);
    }
    return TakeExitCode();
}

void StartInstaller(const char *workingFolder)
{
    LaunchInstaller(workingFolder);
    g_dialog = NULL;
    WaitUntil("the wizard dialog", START_MS, [] {
        g_dialog = FindInstallerWindow(kDialogCaption);
        return g_dialog != NULL;
    });
}

DWORD InstallerProcessId()
{
    return g_installer.dwProcessId;
}

HWND WizardDialog()
{
    return g_dialog;
}

HWND Control(int id)
{
    HWND control = GetDlgItem(g_dialog, id);
    if (!control)
        Fail("the wizard has no control %d", id);
    return control;
}

bool IsShown(int id)
{
    return IsWindowVisible(Control(id)) != 0;
}

LRESULT Query(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kQueryMs, &result))
        Fail("the installer did not answer message 0x%04X to control %d within %u ms", message,
             GetDlgCtrlID(window), kQueryMs);
    return (LRESULT)result;
}

int CheckState(int id)
{
    return (int)Query(Control(id), BM_GETCHECK, 0, 0);
}

std::string WindowText(HWND window)
{
    int length = (int)Query(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(length + 1, '\0');
    int copied = (int)Query(window, WM_GETTEXT, length + 1, (LPARAM)&text[0]);
    text.resize(copied < 0 ? 0 : copied);
    return text;
}

void Click(int id)
{
    HWND control = Control(id);
    if (!IsWindowVisible(control))
        Fail("control %d should be clickable but is hidden", id);
    if (!PostMessageA(control, BM_CLICK, 0, 0))
        Fail("cannot post a click to control %d", id);
}

void SetFolder(const char *folder)
{
    HWND edit = Control(ID_FOLDER);
    Query(edit, WM_SETTEXT, 0, (LPARAM)folder);
    std::string text = WindowText(edit);
    if (text != folder)
        Fail("folder field reads \"%s\" after setting \"%s\"", text.c_str(), folder);
}

// Picks the list entry by its item data, as the installer reads the language from there.
void SelectLanguage(int value)
{
    HWND list = Control(ID_LANGUAGE);
    int count = (int)Query(list, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        if ((int)Query(list, CB_GETITEMDATA, i, 0) != value)
            continue;
        Query(list, CB_SETCURSEL, i, 0);
        PostMessageA(g_dialog, WM_COMMAND, MAKEWPARAM(ID_LANGUAGE, CBN_SELCHANGE), (LPARAM)list);
        if ((int)Query(list, CB_GETCURSEL, 0, 0) != i)
            Fail("language entry %d did not become selected", i);
        return;
    }
    Fail("no language entry has item data %d (%d entries)", value, count);
}

int VisiblePage()
{
    static const int kPageMarkers[] = { ID_FOLDER, ID_ANSWER_OK, ID_ENGLISH, ID_LANGUAGE };
    int page = -1;
    for (int i = 0; i < 4; ++i) {
        if (!IsShown(kPageMarkers[i]))
            continue;
        if (page != -1)
            return -2;
        page = i;
    }
    return page;
}

void WaitForPage(int page)
{
    char what[32];
    snprintf(what, sizeof what, "page %d", page);
    if (!PollUntil(what, STATE_MS, [page] { return VisiblePage() == page; }))
        Fail("page %d not shown within %d ms; visible page %d (-1 none, -2 several)", page,
             STATE_MS, VisiblePage());
    // The page's controls show before the wizard has set Back and the rest: a message it
    // answers only once the handler that changed the page has returned lets the scenario
    // look at the page as the user gets it (a loaded machine once caught Back in between).
    Query(g_dialog, WM_NULL, 0, 0);
}

void WaitForCheck(int id, int state)
{
    char what[64];
    snprintf(what, sizeof what, "check box %d to read %d", id, state);
    WaitUntil(what, STATE_MS, [id, state] { return CheckState(id) == state; });
}

std::string MessageText(HWND box)
{
    HWND label = GetDlgItem(box, ID_MESSAGE_EN);
    if (!label)
        Fail("message box has no English text control");
    return WindowText(label);
}

static HWND WaitForAnyMessageBox(const char *english, DWORD ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND box = FindMessageBox();
        if (box)
            return box;
        FailIfInstallerGone(english);
        if (GetTickCount() - start > ms)
            Fail("no message box \"%s\" within %lu ms", english, (unsigned long)ms);
        Sleep(20);
    }
}

// OK alone for plain messages, Yes and No for the question, Retry and Cancel for a problem.
static void CheckMessageButtons(HWND box, int button)
{
    bool question = button == ID_YES || button == ID_NO;
    bool problem = button == ID_RETRY || button == ID_CANCEL;
    static const int kButtons[] = { ID_OK, ID_CANCEL, ID_RETRY, ID_YES, ID_NO };
    for (int id : kButtons) {
        bool wanted = question  ? (id == ID_YES || id == ID_NO)
                      : problem ? (id == ID_RETRY || id == ID_CANCEL)
                                : id == ID_OK;
        HWND control = GetDlgItem(box, id);
        bool shown = control && IsWindowVisible(control);
        if (shown != wanted)
            Fail("message box button %d is %s", id, shown ? "shown" : "hidden");
    }
}

// The text with one '*' in the pattern standing for any run of characters.
static bool MatchesPattern(const std::string &text, const std::string &pattern)
{
    size_t star = pattern.find('*');
    if (star == std::string::npos)
        return text == pattern;
    std::string head = pattern.substr(0, star), tail = pattern.substr(star + 1);
    return text.size() >= head.size() + tail.size() && text.compare(0, head.size(), head) == 0 &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

HWND ExpectMessage(const char *english, int button, DWORD ms)
{
    HWND box = WaitForAnyMessageBox(english, ms);
    std::string text = MessageText(box);
    if (!MatchesPattern(text, english))
        Fail("message box says \"%s\", expected \"%s\"", text.c_str(), english);
    CheckMessageButtons(box, button);
    return box;
}

static void WaitForBoxToClose(HWND box, const char *how)
{
    DWORD answered = GetTickCount();
    while (IsWindow(box) && IsWindowVisible(box)) {
        if (GetTickCount() - answered > STATE_MS)
            Fail("message box still open %d ms after %s", STATE_MS, how);
        Sleep(20);
    }
}

void Answer(HWND box, int button)
{
    PostMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
    char how[32];
    snprintf(how, sizeof how, "clicking its button %d", button);
    WaitForBoxToClose(box, how);
}

void CloseMessage(HWND box)
{
    PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
    WaitForBoxToClose(box, "closing it");
}

void AnswerMessage(const char *english, int button, DWORD ms)
{
    Answer(ExpectMessage(english, button, ms), button);
}

void WaitForCleanExit()
{
    DWORD start = GetTickCount();
    while (WaitForSingleObject(g_installer.hProcess, 20) != WAIT_OBJECT_0) {
        HWND box = FindMessageBox();
        if (box)
            Fail("unexpected message box \"%s\" instead of the installer ending",
                 MessageText(box).c_str());
        if (GetTickCount() - start > EXIT_MS)
            Fail("installer still running %d ms after it should have ended", EXIT_MS);
    }
    DWORD code = TakeExitCode();
    if (code != 0)
        Fail("installer exit code %lu, expected 0", (unsigned long)code);
}

DWORD RunSecondCopy(const char *english)
{
    g_firstCopy = g_installer;
    LaunchInstaller(NULL);
    AnswerMessage(english, ID_OK, START_MS);
    if (WaitForSingleObject(g_installer.hProcess, EXIT_MS) != WAIT_OBJECT_0)
        Fail("the second copy still runs %d ms after its message was answered", EXIT_MS);
    DWORD code = TakeExitCode();
    g_installer = g_firstCopy;
    memset(&g_firstCopy, 0, sizeof g_firstCopy);
    return code;
}
