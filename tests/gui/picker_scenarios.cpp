// Browse and Enter-key scenarios: the folder picker's answer in the folder field, and where Enter leads.
#include "disk.h"
#include "driver.h"
#include "keyboard.h"
#include "picker.h"
#include "scenarios.h"
#include <stdio.h>

// A folder tree for the scenario; the installer runs in its "start" folder, which is
// therefore where every Browse must open. Returns the start folder.
static std::string PickerTree(const char *scenario)
{
    std::string root = FreshFolder(scenario);
    std::string start = root + "\\start";
    MakeFolder(root);
    MakeFolder(start);
    MakeFolder(start + "\\alpha");
    MakeFolder(start + "\\beta");
    MakeFolder(start + "\\beta\\inner");
    return start;
}

void WaitForFolderField(const std::string &expected)
{
    std::string text;
    bool matched = PollUntil("the folder field", STATE_MS, [&text, &expected] {
        text = WindowText(Control(ID_FOLDER));
        return text == expected;
    });
    if (!matched)
        Fail("folder field reads \"%s\", expected \"%s\"", text.c_str(), expected.c_str());
}

// Fails when the wizard leaves `page` (or a message box appears) within `ms`.
static void ExpectPageStays(int page, DWORD ms, const char *after)
{
    if (PollUntil("the page to stay", ms, [page] { return VisiblePage() != page; }))
        Fail("after %s the wizard left page %d for page %d", after, page, VisiblePage());
}

static void ExpectOwnerDrawn(HWND picker, int id, bool wanted)
{
    LONG style = GetWindowLongA(PickerControl(picker, id), GWL_STYLE);
    bool ownerDrawn = (style & BS_TYPEMASK) == BS_OWNERDRAW;
    if (ownerDrawn != wanted)
        Fail("picker button %d is %sowner-drawn (style 0x%08lX)", id, ownerDrawn ? "" : "not ",
             (unsigned long)style);
}

static void CancelWizard()
{
    Click(ID_CANCEL);
    WaitForCleanExit();
}

// OK without moving answers with the folder the picker opened in, without a trailing
// backslash; Cancel and the two labels are drawn by the installer, OK by the platform.
void ScenarioPickerOk()
{
    std::string start = PickerTree("picker_ok");
    StartWizard(start.c_str());
    HWND picker = BrowseFrom(start);
    ExpectOwnerDrawn(picker, PICK_CANCEL, true);
    ExpectOwnerDrawn(picker, PICK_DIRECTORIES_LABEL, true);
    ExpectOwnerDrawn(picker, PICK_DRIVES_LABEL, true);
    ExpectOwnerDrawn(picker, PICK_OK, false);
    if (!IsWindowVisible(PickerControl(picker, PICK_DRIVES)))
        Fail("the drive list is hidden");
    AcceptPicker(picker);
    WaitForFolderField(start);
    WaitForPage(0);
    CancelWizard();
}

// OK answers with the folder that was opened, not one merely highlighted; the next
// Browse starts over in the wizard's own folder.
void ScenarioPickerNavigate()
{
    std::string start = PickerTree("picker_navigate");
    StartWizard(start.c_str());
    HWND picker = BrowseFrom(start);
    OpenEntry(picker, "[beta]");
    std::string shown = PickerFolder(picker);
    if (lstrcmpiA(shown.c_str(), (start + "\\beta").c_str()) != 0)
        Fail("picker shows \"%s\" after opening beta", shown.c_str());
    HighlightEntry(picker, "[inner]");
    AcceptPicker(picker);
    WaitForFolderField(start + "\\beta");

    picker = BrowseFrom(start);
    OpenEntry(picker, "[alpha]");
    AcceptPicker(picker);
    WaitForFolderField(start + "\\alpha");
    CancelWizard();
}

// Going up as far as the list allows ends at the drive root, answered as the bare drive.
void ScenarioPickerRoot()
{
    std::string start = PickerTree("picker_root");
    StartWizard(start.c_str());
    HWND picker = BrowseFrom(start);
    std::string drive = start.substr(0, 2);
    for (int level = 0; lstrcmpiA(PickerFolder(picker).c_str(), (drive + "\\").c_str()) != 0; ++level) {
        if (level == 2)
            Fail("picker shows \"%s\" after opening \"[..]\" twice from %s",
                 PickerFolder(picker).c_str(), start.c_str());
        OpenEntry(picker, "[..]");
    }
    AcceptPicker(picker);
    WaitForFolderField(drive);
    picker = BrowseFrom(start);
    LeavePicker(picker, EXIT_BY_CANCEL);
    CancelWizard();
}

// Moves the picker somewhere else: up when it can, else into its first folder.
static void OpenAnyEntry(HWND picker)
{
    std::vector<std::string> entries = PickerEntries(picker);
    if (entries.empty())
        Fail("picker in \"%s\" lists no folder at all", PickerFolder(picker).c_str());
    bool canGoUp = false;
    for (const std::string &entry : entries)
        canGoUp = canGoUp || entry == "[..]";
    OpenEntry(picker, canGoUp ? "[..]" : entries[0]);
}

// Every way out without OK keeps the field, though the picker was moved; and every Browse
// opens in the wizard's folder, whatever the field holds. Where each Browse opened is
// checked last, so that all three ways out are tried in any case.
void ScenarioPickerCancel()
{
    std::string start = PickerTree("picker_cancel");
    StartWizard(start.c_str());
    static const PickerExit kExits[] = { EXIT_BY_CANCEL, EXIT_BY_CLOSE_BOX, EXIT_BY_ESCAPE };
    static const char *const kExitNames[] = { "Cancel", "the close box", "Escape" };
    std::string typed = start + "\\typed";
    SetFolder(typed.c_str());
    std::string openedIn[4];
    for (int i = 0; i < 3; ++i) {
        HWND picker = Browse();
        openedIn[i] = PickerFolder(picker);
        OpenAnyEntry(picker);
        LeavePicker(picker, kExits[i]);
        std::string text = WindowText(Control(ID_FOLDER));
        if (text != typed)
            Fail("leaving the picker by %s changed the folder field to \"%s\"", kExitNames[i],
                 text.c_str());
    }
    std::string other = start + "\\beta";
    SetFolder(other.c_str());
    HWND picker = Browse();
    openedIn[3] = PickerFolder(picker);
    LeavePicker(picker, EXIT_BY_CANCEL);
    WaitForFolderField(other);
    static const char *const kBefore[] = { "the start", "leaving by Cancel", "leaving by the close box",
                                           "leaving by Escape" };
    for (int i = 0; i < 4; ++i)
        if (lstrcmpiA(openedIn[i].c_str(), start.c_str()) != 0)
            Fail("Browse after %s opened in \"%s\", expected \"%s\"", kBefore[i],
                 openedIn[i].c_str(), start.c_str());
    WaitForPage(0);
    CancelWizard();
}

// Enter on the Browse button presses it; Enter on the folder field or the desktop-icon
// box means Next, once.
void ScenarioEnterKeys()
{
    std::string start = PickerTree("enter_keys");
    StartWizard(start.c_str());
    HWND wizard = WizardDialog();

    HWND browse = Control(ID_BROWSE);
    FocusControl(wizard, browse);
    PressKey(browse, VK_RETURN);
    HWND picker = WaitForPicker();
    if (VisiblePage() != 0)
        Fail("Enter on Browse moved the wizard to page %d", VisiblePage());
    LeavePicker(picker, EXIT_BY_CANCEL);
    ExpectPageStays(0, 500, "Enter on Browse");

    HWND folder = Control(ID_FOLDER);
    FocusControl(wizard, folder);
    PressKey(folder, VK_RETURN);
    WaitForPage(1);
    ExpectPageStays(1, 500, "Enter on the folder field");
    if (FindPicker())
        Fail("Enter on the folder field opened the picker");
    Click(ID_BACK);
    WaitForPage(0);

    HWND desktop = Control(ID_DESKTOP);
    int checked = CheckState(ID_DESKTOP);
    FocusControl(wizard, desktop);
    PressKey(desktop, VK_RETURN);
    WaitForPage(1);
    ExpectPageStays(1, 500, "Enter on the desktop-icon box");
    if (CheckState(ID_DESKTOP) != checked)
        Fail("Enter on the desktop-icon box toggled it");
    CancelWizard();
}
