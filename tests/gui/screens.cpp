// Every screen of the installer shows exactly the controls it should: one walk through the
// pages, the install, a message box and the folder picker, each compared with its row below.
// Given a folder, the walk also saves a PNG of each screen there.
#include "disk.h"
#include "driver.h"
#include "keyboard.h"
#include "picker.h"
#include "scenarios.h"
#include "resources/resource.h"
#include "tests/win/screen_png.h"
#include <stdio.h>
#include <algorithm>
#include <set>
#include <vector>

// Which top-level window a screen is.
enum ScreenWindow { ON_WIZARD, ON_MESSAGE_BOX, ON_PICKER };

struct Screen {
    const char *name;           // also the PNG's name
    ScreenWindow window;
    std::vector<int> shown;     // exactly the visible child controls
    std::vector<int> disabled;  // those of them that are disabled; the others must be enabled
};

static std::vector<int> Ids(std::initializer_list<std::vector<int>> groups)
{
    std::vector<int> all;
    for (const std::vector<int> &group : groups)
        all.insert(all.end(), group.begin(), group.end());
    return all;
}

static const std::vector<int> kLeftColumn = { IDC_PRODUCT_NAME, IDC_PRODUCT_ICON, IDC_SEPARATOR,
    IDC_INSTALLER_NAME, IDC_FAMILY_LABEL, IDC_PRODUCT_LABEL, IDC_SETUP_LABEL, IDC_BLANK_LABEL, IDC_WEB_ADDRESS };
static const std::vector<int> kNavigation = { IDC_BACK, IDC_NEXT, IDC_CANCEL };
static const std::vector<int> kWizardLabels = { IDC_FOLDER_LABEL, IDC_FAMILY_LABEL, IDC_PRODUCT_LABEL,
    IDC_SETUP_LABEL, IDC_BLANK_LABEL, IDC_DISPLAY_QUESTION, IDC_SAMPLE_LINE, IDC_LANGUAGE_LABEL };
static const std::vector<int> kPageFolder = { IDC_DESKTOP_ICON, IDC_FOLDER, IDC_FOLDER_LABEL, IDC_BROWSE };
static const std::vector<int> kPageDisplayCheck = { IDC_SAMPLE_FRAME, IDC_DISPLAY_QUESTION, IDC_SAMPLE_LINE,
    IDC_DISPLAY_OK, IDC_DISPLAY_NO };
static const std::vector<int> kPageLanguage = { IDC_LANGUAGE_LABEL, IDC_LANGUAGE };

enum { SCREEN_FOLDER, SCREEN_PICKER, SCREEN_DISPLAY_CHECK, SCREEN_MESSAGE, SCREEN_LICENCE_ENGLISH,
       SCREEN_LICENCE_CHINESE, SCREEN_LANGUAGE, SCREEN_INSTALLING };

static const Screen kScreens[] = {
    { "page0_folder", ON_WIZARD, Ids({ kLeftColumn, { IDC_NEXT, IDC_CANCEL }, kPageFolder }), kWizardLabels },
    { "picker", ON_PICKER, { PICK_FOLDER_SHOWN, PICK_DIRECTORIES, PICK_DRIVES, PICK_OK, PICK_CANCEL,
      PICK_DIRECTORIES_LABEL, PICK_DRIVES_LABEL }, { PICK_DIRECTORIES_LABEL, PICK_DRIVES_LABEL } },
    { "page1_display_check", ON_WIZARD, Ids({ kLeftColumn, kNavigation, kPageDisplayCheck }), kWizardLabels },
    { "message_box", ON_MESSAGE_BOX, { IDOK, IDC_MESSAGE_CHINESE, IDC_MESSAGE_ENGLISH }, { IDC_MESSAGE_CHINESE } },
    { "page2_licence_english", ON_WIZARD, Ids({ kLeftColumn, kNavigation, { IDC_LICENCE_ENGLISH,
      IDC_LICENCE_TEXT } }), kWizardLabels },
    { "page2_licence_chinese", ON_WIZARD, Ids({ kLeftColumn, kNavigation, { IDC_LICENCE_ENGLISH,
      IDC_LICENCE_LIST } }), kWizardLabels },
    { "page3_language", ON_WIZARD, Ids({ kLeftColumn, kNavigation, kPageLanguage }), kWizardLabels },
    // The language page stays up under the progress bar; the navigation is gone.
    { "installing", ON_WIZARD, Ids({ kLeftColumn, kPageLanguage, { IDC_PROGRESS } }), kWizardLabels },
};

static const char kMsgChoose[] = "Please select a choice.";
enum { LIST_ITEM_HEIGHT = 23 };

static const char *g_screenshotFolder;      // NULL: compare only

void SaveScreensTo(const char *folder)
{
    g_screenshotFolder = folder;
}

// The child controls of `window` that are shown, and those of them that are disabled; IDs as
// their 16 bits, so a template's -1 reads 65535 as it is stored.
static void ReadControls(HWND window, std::set<int> *shown, std::set<int> *disabled)
{
    shown->clear();
    disabled->clear();
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        int id = (WORD)GetDlgCtrlID(child);
        shown->insert(id);
        if (!IsWindowEnabled(child))
            disabled->insert(id);
    }
}

static std::string Listed(const std::set<int> &ids)
{
    std::string text;
    for (int id : ids)
        text += (text.empty() ? "" : " ") + std::to_string(id);
    return text.empty() ? "none" : text;
}

static std::set<int> Minus(const std::set<int> &a, const std::set<int> &b)
{
    std::set<int> rest;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::inserter(rest, rest.begin()));
    return rest;
}

// Waits until the window shows the screen's controls, with the screen's enabled states;
// a window in the middle of switching pages gets its moment to finish.
static void CheckScreen(HWND window, const Screen &screen)
{
    std::set<int> wanted(screen.shown.begin(), screen.shown.end());
    std::set<int> wantedDisabled;
    for (int id : screen.disabled)
        if (wanted.count(id))
            wantedDisabled.insert(id);
    std::set<int> shown, disabled;
    DWORD start = GetTickCount();
    for (;;) {
        ReadControls(window, &shown, &disabled);
        if (shown == wanted && disabled == wantedDisabled)
            break;
        FailIfInstallerGone(screen.name);
        if (GetTickCount() - start > STATE_MS)
            Fail("screen %s: shown but not expected: %s; expected but hidden: %s; disabled: %s, expected "
                 "disabled: %s", screen.name, Listed(Minus(shown, wanted)).c_str(),
                 Listed(Minus(wanted, shown)).c_str(), Listed(disabled).c_str(),
                 Listed(wantedDisabled).c_str());
        Sleep(20);
    }
    if (!g_screenshotFolder)
        return;
    RECT area;
    GetWindowRect(window, &area);
    std::string path = std::string(g_screenshotFolder) + "\\" + screen.name + ".png";
    if (!SaveScreenPng(path.c_str(), area))
        Fail("cannot save %s", path.c_str());
    Note("saved %s", path.c_str());
}

// Lets the screen finish painting before its picture is taken; no wait when only comparing.
static void Settle(DWORD ms)
{
    if (g_screenshotFolder)
        Sleep(ms);
}

static void CheckWizardScreen(int screen)
{
    // The first licence page inflates both texts before it paints: wait until the wizard
    // answers again, then give the repaint its time.
    if (g_screenshotFolder)
        Query(WizardDialog(), WM_NULL, 0, 0);
    Settle(500);
    CheckScreen(WizardDialog(), kScreens[screen]);
}

// The closed language list's selection field is at least as tall as the items it draws.
// (Wine reads the field back 2 pixels taller than it was set.)
static void CheckLanguageFieldHeight()
{
    HWND list = Control(IDC_LANGUAGE);
    int field = (int)Query(list, CB_GETITEMHEIGHT, (WPARAM)-1, 0);
    int item = (int)Query(list, CB_GETITEMHEIGHT, 0, 0);
    if (field < LIST_ITEM_HEIGHT || item != LIST_ITEM_HEIGHT)
        Fail("language list: selection field %d and item %d pixels high, expected %d for both", field, item,
             LIST_ITEM_HEIGHT);
}

void ScenarioScreens()
{
    std::string folder = FreshFolder("screens");
    std::string start = folder + "\\start";
    MakeFolder(folder);
    MakeFolder(start);
    MakeFolder(start + "\\Documents");
    MakeFolder(start + "\\Programs");
    StartWizard(start.c_str());
    CheckWizardScreen(SCREEN_FOLDER);

    HWND picker = Browse();
    Settle(500);
    CheckScreen(picker, kScreens[SCREEN_PICKER]);
    LeavePicker(picker, EXIT_BY_CANCEL);

    SetFolder((folder + "\\Pendrel").c_str());
    Click(IDC_NEXT);
    WaitForPage(1);
    CheckWizardScreen(SCREEN_DISPLAY_CHECK);

    Click(IDC_NEXT);
    HWND box = ExpectMessage(kMsgChoose, IDOK, STATE_MS);
    CheckScreen(box, kScreens[SCREEN_MESSAGE]);
    Answer(box, IDOK);

    Click(IDC_DISPLAY_OK);
    WaitForCheck(IDC_DISPLAY_OK, BST_CHECKED);
    Click(IDC_NEXT);
    WaitForPage(2);
    CheckWizardScreen(SCREEN_LICENCE_ENGLISH);
    Click(IDC_LICENCE_ENGLISH);
    WaitForCheck(IDC_LICENCE_ENGLISH, BST_UNCHECKED);
    CheckWizardScreen(SCREEN_LICENCE_CHINESE);

    // Leave by Enter while the licence switch has the focus: hiding it on the way to the
    // language page takes its focus away, which must not bring the licence page back.
    HWND english = Control(IDC_LICENCE_ENGLISH);
    FocusControl(WizardDialog(), english);
    PressKey(english, VK_RETURN);
    CheckWizardScreen(SCREEN_LANGUAGE);
    CheckLanguageFieldHeight();

    Click(IDC_NEXT);
    // The install pumps no messages: only what needs no answer from the installer is read.
    WaitUntil("the progress bar", INSTALL_MS, [] { return IsShown(IDC_PROGRESS); });
    Settle(800);
    CheckScreen(WizardDialog(), kScreens[SCREEN_INSTALLING]);

    box = ExpectMessage(kMsgSuccess, IDOK, INSTALL_MS);
    Settle(300);
    CheckScreen(box, kScreens[SCREEN_MESSAGE]);
    Answer(box, IDOK);
    WaitForCleanExit();
    RemoveTree(folder);
}
