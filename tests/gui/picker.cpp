// The picker is found as the installer's second dialog window; navigation is posted as the
// directory list's own double-click notification, so the picker's code does the work.
#include "picker.h"
#include "driver.h"
#include "keyboard.h"
#include <stdio.h>
#include <string.h>

static const char kPickerCaption[] = "Choose Destination Directory";
static const char kMessageCaption[] = "Pendrel Install Message";
static const UINT kQueryMs = 10000;

static BOOL CALLBACK MatchPicker(HWND window, LPARAM param)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != InstallerProcessId() || window == WizardDialog() || !IsWindowVisible(window))
        return TRUE;
    char name[64] = "";
    char caption[128] = "";
    GetClassNameA(window, name, sizeof name);
    GetWindowTextA(window, caption, sizeof caption);
    if (strcmp(name, "#32770") != 0 || strcmp(caption, kMessageCaption) == 0)
        return TRUE;
    *(HWND *)param = window;
    return FALSE;
}

HWND FindPicker()
{
    HWND found = NULL;
    EnumWindows(MatchPicker, (LPARAM)&found);
    return found;
}

HWND WaitForPicker()
{
    HWND picker = NULL;
    WaitUntil("the folder picker", STATE_MS, [&picker] {
        picker = FindPicker();
        return picker != NULL;
    });
    std::string caption = WindowText(picker);
    if (caption != kPickerCaption)
        Fail("picker caption is \"%s\", expected \"%s\"", caption.c_str(), kPickerCaption);
    if (GetWindow(picker, GW_OWNER) != WizardDialog())
        Fail("the picker is not owned by the wizard dialog");
    if (IsWindowEnabled(WizardDialog()))
        Fail("the wizard stays enabled while the picker is open");
    return picker;
}

HWND PickerControl(HWND picker, int id)
{
    HWND control = GetDlgItem(picker, id);
    if (!control)
        Fail("the picker has no control %d", id);
    return control;
}

std::string PickerFolder(HWND picker)
{
    return WindowText(PickerControl(picker, PICK_FOLDER_SHOWN));
}

// The picker's lists hold wide text, which the ANSI message does not convert across processes.
static std::string EntryText(HWND list, int index)
{
    std::wstring wide(256, L'\0');
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(list, LB_GETTEXTLEN, index, 0, SMTO_NORMAL, kQueryMs, &length) ||
        (int)length < 0 || length >= wide.size() ||
        !SendMessageTimeoutW(list, LB_GETTEXT, index, (LPARAM)&wide[0], SMTO_NORMAL, kQueryMs, &length))
        Fail("cannot read entry %d of picker list %d", index, GetDlgCtrlID(list));
    char text[512] = "";
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text, sizeof text, NULL, NULL);
    return text;
}

std::vector<std::string> PickerEntries(HWND picker)
{
    HWND list = PickerControl(picker, PICK_DIRECTORIES);
    std::vector<std::string> entries;
    int count = (int)Query(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i)
        entries.push_back(EntryText(list, i));
    return entries;
}

static std::string Joined(const std::vector<std::string> &entries)
{
    std::string all;
    for (const std::string &entry : entries)
        all += (all.empty() ? "" : " ") + entry;
    return all;
}

// Directory names are compared as the file system does, without regard to case.
static int EntryIndex(HWND picker, const std::string &entry)
{
    std::vector<std::string> entries = PickerEntries(picker);
    for (size_t i = 0; i < entries.size(); ++i)
        if (lstrcmpiA(entries[i].c_str(), entry.c_str()) == 0)
            return (int)i;
    Fail("picker in \"%s\" lists no \"%s\"; entries: %s", PickerFolder(picker).c_str(), entry.c_str(),
         Joined(entries).c_str());
}

static void Select(HWND picker, const std::string &entry, WORD notification)
{
    HWND list = PickerControl(picker, PICK_DIRECTORIES);
    int index = EntryIndex(picker, entry);
    Query(list, LB_SETCURSEL, index, 0);
    if ((int)Query(list, LB_GETCURSEL, 0, 0) != index)
        Fail("picker entry \"%s\" did not become selected", entry.c_str());
    PostMessageA(picker, WM_COMMAND, MAKEWPARAM(PICK_DIRECTORIES, notification), (LPARAM)list);
}

void OpenEntry(HWND picker, const std::string &entry)
{
    std::string before = PickerFolder(picker);
    Select(picker, entry, LBN_DBLCLK);
    char what[160];
    snprintf(what, sizeof what, "the picker to leave \"%s\" for \"%s\"", before.c_str(), entry.c_str());
    WaitUntil(what, STATE_MS, [picker, &before] { return PickerFolder(picker) != before; });
}

void HighlightEntry(HWND picker, const std::string &entry)
{
    Select(picker, entry, LBN_SELCHANGE);
}

static void WaitForPickerGone(HWND picker, const char *after)
{
    char what[64];
    snprintf(what, sizeof what, "the picker to close after %s", after);
    WaitUntil(what, STATE_MS, [picker] { return !IsWindow(picker) || !IsWindowVisible(picker); });
    WaitUntil("the wizard to be enabled again", STATE_MS, [] { return IsWindowEnabled(WizardDialog()) != 0; });
}

void AcceptPicker(HWND picker)
{
    PostMessageA(PickerControl(picker, PICK_OK), BM_CLICK, 0, 0);
    WaitForPickerGone(picker, "OK");
}

void LeavePicker(HWND picker, PickerExit how)
{
    switch (how) {
    case EXIT_BY_CANCEL:
        PostMessageA(PickerControl(picker, PICK_CANCEL), BM_CLICK, 0, 0);
        WaitForPickerGone(picker, "Cancel");
        break;
    case EXIT_BY_CLOSE_BOX:
        PostMessageA(picker, WM_SYSCOMMAND, SC_CLOSE, 0);
        WaitForPickerGone(picker, "the close box");
        break;
    case EXIT_BY_ESCAPE: {
        HWND focus = FocusOfThread(picker);
        if (!focus || GetAncestor(focus, GA_ROOT) != picker)
            Fail("no control of the picker has the focus to take Escape");
        PressKey(focus, VK_ESCAPE);
        WaitForPickerGone(picker, "Escape");
        break;
    }
    }
}

HWND Browse()
{
    Click(ID_BROWSE);
    return WaitForPicker();
}

HWND BrowseFrom(const std::string &folder)
{
    HWND picker = Browse();
    std::string shown = PickerFolder(picker);
    if (lstrcmpiA(shown.c_str(), folder.c_str()) != 0)
        Fail("picker opened in \"%s\", expected \"%s\"", shown.c_str(), folder.c_str());
    return picker;
}
