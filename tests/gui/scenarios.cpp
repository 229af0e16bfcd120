// End-to-end wizard scenarios: each walks the real installer like a user and checks screen and disk.
#include "disk.h"
#include "driver.h"
#include "scenarios.h"
#include <stdio.h>
#include <string.h>

struct CatalogueFile {
    const char *name;
    int readOnly;
    int hidden;
};

static const CatalogueFile kCatalogue[] = {
#define CATALOGUE_ROW(n, id, file, readOnly, hidden, ...) { file, readOnly, hidden },
#include "install/catalogue_rows.h"
#undef CATALOGUE_ROW
};
static const int kCatalogueSize = sizeof kCatalogue / sizeof kCatalogue[0];

static const char kMsgChoose[] = "Please select a choice.";
extern const char kMsgBadFolder[] = "Cannot create folder! Please check folder path.";
extern const char kMsgOldWordBase[] = "Old CiKu (Word Base) is detected. Replace it with new CiKu?";
extern const char kMsgSuccess[] = "Congratulations! Installation Success!";
extern const char kMsgFailure[] =
    "Installation failed. Please check your system (quit all Zelvo applications) and try again.";
// The installer waits until five whole wall-clock seconds have passed, so at least four real ones.
static const DWORD kInstallFloorMs = 4000;

std::string ScenarioFolder(const char *scenario)
{
    return std::string("C:\\pdgui_") + scenario;
}

std::string FreshFolder(const char *scenario)
{
    std::string folder = ScenarioFolder(scenario);
    RemoveTree(folder);
    return folder;
}

static std::string DefaultFolder()
{
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(1, windows[0]) + ":\\Pendrel";
}

// The state every run must start in: page 0 with its defaults.
void StartWizard(const char *workingFolder)
{
    StartInstaller(workingFolder);
    WaitForPage(0);
    std::string folder = WindowText(Control(ID_FOLDER));
    if (folder != DefaultFolder())
        Fail("default folder is \"%s\", expected \"%s\"", folder.c_str(), DefaultFolder().c_str());
    if (CheckState(ID_DESKTOP) != BST_CHECKED)
        Fail("desktop-icon box is not checked at start");
    if (IsShown(ID_BACK) || !IsShown(ID_NEXT) || !IsShown(ID_CANCEL))
        Fail("page 0 should show Next and Cancel without Back");
    if (IsShown(ID_PROGRESS))
        Fail("progress bar is shown before installing");
}

void GoToDisplayCheck(const std::string &folder)
{
    SetFolder(folder.c_str());
    Click(ID_NEXT);
    WaitForPage(1);
    WaitForCheck(ID_ANSWER_OK, BST_UNCHECKED);
    WaitForCheck(ID_ANSWER_NO, BST_UNCHECKED);
    if (!IsShown(ID_BACK))
        Fail("Back is hidden on page 1");
}

// Ticks one display-check answer; the other must clear itself.
static void Tick(int answer)
{
    Click(answer);
    WaitForCheck(answer, BST_CHECKED);
    WaitForCheck(answer == ID_ANSWER_OK ? ID_ANSWER_NO : ID_ANSWER_OK, BST_UNCHECKED);
}

static void ExpectEnglishLicence()
{
    WaitUntil("the English licence", STATE_MS, [] {
        return IsShown(ID_LICENCE_EN) && !IsShown(ID_LICENCE_ZH);
    });
    if (CheckState(ID_ENGLISH) != BST_CHECKED)
        Fail("English licence shown while \"English\" is unchecked");
    if (Query(Control(ID_LICENCE_EN), WM_GETTEXTLENGTH, 0, 0) <= 0)
        Fail("English licence text is empty");
}

static void ExpectChineseLicence()
{
    WaitUntil("the Chinese licence", STATE_MS, [] {
        return IsShown(ID_LICENCE_ZH) && !IsShown(ID_LICENCE_EN);
    });
    if (CheckState(ID_ENGLISH) != BST_UNCHECKED)
        Fail("Chinese licence shown while \"English\" is checked");
}

void GoToLicence(int answer)
{
    Tick(answer);
    Click(ID_NEXT);
    WaitForPage(2);
    ExpectEnglishLicence();
}

// Page 3: the three languages in order, English selected.
void GoToLanguage()
{
    Click(ID_NEXT);
    WaitForPage(3);
    HWND list = Control(ID_LANGUAGE);
    int count = (int)Query(list, CB_GETCOUNT, 0, 0);
    if (count != 3)
        Fail("language list has %d entries, expected 3", count);
    for (int i = 0; i < count; ++i)
        if ((int)Query(list, CB_GETITEMDATA, i, 0) != i)
            Fail("language entry %d has item data %d", i, (int)Query(list, CB_GETITEMDATA, i, 0));
    if ((int)Query(list, CB_GETCURSEL, 0, 0) != 0)
        Fail("English is not the selected language on arrival");
}

void InstallAndFinish(int reply)
{
    DWORD start = GetTickCount();
    Click(ID_NEXT);
    if (reply)
        AnswerMessage(kMsgOldWordBase, reply, INSTALL_MS);
    HWND box = ExpectMessage(kMsgSuccess, ID_OK, INSTALL_MS);
    DWORD elapsed = GetTickCount() - start;
    if (elapsed < kInstallFloorMs)
        Fail("result message after %lu ms; the install must take at least %lu", (unsigned long)elapsed,
             (unsigned long)kInstallFloorMs);
    if (!IsShown(ID_PROGRESS))
        Fail("progress bar is hidden at the end of the install");
    if (IsShown(ID_NEXT) || IsShown(ID_BACK) || IsShown(ID_CANCEL))
        Fail("navigation buttons still shown during the install");
    Answer(box, ID_OK);
    WaitForCleanExit();
}

void RunFullInstall(const std::string &folder, int answer, int language, int reply)
{
    StartWizard();
    GoToDisplayCheck(folder);
    GoToLicence(answer);
    GoToLanguage();
    SelectLanguage(language);
    InstallAndFinish(reply);
}

static void CheckCatalogueFiles(const std::string &folder)
{
    int files = CountFiles(folder);
    if (files != kCatalogueSize)
        Fail("%s holds %d files, expected %d", folder.c_str(), files, kCatalogueSize);
    for (const CatalogueFile &entry : kCatalogue) {
        DWORD attributes = Attributes(folder + "\\" + entry.name);
        if (attributes == INVALID_FILE_ATTRIBUTES)
            Fail("%s was not installed", entry.name);
        int readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
        int hidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
        if (readOnly != entry.readOnly || hidden != entry.hidden)
            Fail("%s has read-only %d hidden %d, expected %d %d", entry.name, readOnly, hidden,
                 entry.readOnly, entry.hidden);
    }
}

// The two answers the product reads back from its settings file.
// Line ends and other control bytes written out, so a failure message shows them.
static std::string Visible(const std::string &text)
{
    std::string shown;
    for (unsigned char c : text) {
        char escaped[8];
        if (c == '\r')
            shown += "\\r";
        else if (c == '\n')
            shown += "\\n";
        else if (c < 0x20 || c >= 0x7F)
            shown += (snprintf(escaped, sizeof escaped, "\\x%02X", c), escaped);
        else
            shown += (char)c;
    }
    return shown;
}

static void CheckSettings(const std::string &folder, char useBmpFont, int language)
{
    std::string tail = std::string("[Config]\r\nUseBmpFont=") + useBmpFont +
                       "\r\n\r\n\r\nForceLanguage=" + char('0' + language) + "\r\n";
    std::string settings = ReadWholeFile(folder + "\\appcfg.ini");
    if (!EndsWith(settings, tail)) {
        size_t from = settings.size() > 60 ? settings.size() - 60 : 0;
        Fail("appcfg.ini ends with \"%s\", expected UseBmpFont=%c ForceLanguage=%d",
             Visible(settings.substr(from)).c_str(), useBmpFont, language);
    }
}

void CheckInstalled(const std::string &folder, char useBmpFont, int language, bool withDoc)
{
    if (!IsFolder(folder))
        Fail("install folder %s does not exist", folder.c_str());
    CheckCatalogueFiles(folder);
    if (IsFolder(folder + "\\doc") != withDoc)
        Fail("\"doc\" sub-folder %s", withDoc ? "missing in a new folder" : "made in an existing folder");
    if (CountFolders(folder) != (withDoc ? 1 : 0))
        Fail("%s holds a sub-folder besides \"doc\"", folder.c_str());
    CheckSettings(folder, useBmpFont, language);
}

static void CheckNothingInstalled(const std::string &folder)
{
    if (PathExists(folder))
        Fail("%s exists although nothing was installed", folder.c_str());
}

static void ScenarioTypical()
{
    std::string folder = FreshFolder("typical");
    RunFullInstall(folder, ID_ANSWER_OK, UI_SIMPLIFIED, 0);
    CheckInstalled(folder, '0', UI_SIMPLIFIED, true);
}

// Cancel on the given page ends the wizard at once, silently, before anything is written.
static void CancelOnPage(int page)
{
    char name[32];
    snprintf(name, sizeof name, "cancel_page%d", page);
    std::string folder = FreshFolder(name);
    StartWizard();
    if (page >= 1)
        GoToDisplayCheck(folder);
    if (page >= 2)
        GoToLicence(ID_ANSWER_OK);
    if (page >= 3)
        GoToLanguage();
    Click(ID_CANCEL);
    WaitForCleanExit();
    CheckNothingInstalled(folder);
}

static void ScenarioCancelPage0() { CancelOnPage(0); }
static void ScenarioCancelPage1() { CancelOnPage(1); }
static void ScenarioCancelPage2() { CancelOnPage(2); }
static void ScenarioCancelPage3() { CancelOnPage(3); }

static void ScenarioUnanswered()
{
    std::string folder = FreshFolder("unanswered");
    StartWizard();
    GoToDisplayCheck(folder);
    Click(ID_NEXT);
    AnswerMessage(kMsgChoose, ID_OK, STATE_MS);
    WaitForPage(1);
    if (CheckState(ID_ANSWER_OK) != BST_UNCHECKED || CheckState(ID_ANSWER_NO) != BST_UNCHECKED)
        Fail("the refused Next changed the display-check answers");
    GoToLicence(ID_ANSWER_OK);
    Click(ID_CANCEL);
    WaitForCleanExit();
    CheckNothingInstalled(folder);
}

static void ScenarioLicenceSwitch()
{
    std::string folder = FreshFolder("licence_switch");
    StartWizard();
    GoToDisplayCheck(folder);
    GoToLicence(ID_ANSWER_OK);
    Click(ID_ENGLISH);
    ExpectChineseLicence();
    int lines = (int)Query(Control(ID_LICENCE_ZH), LB_GETCOUNT, 0, 0);
    if (lines <= 0)
        Fail("Chinese licence list is empty");
    Click(ID_ENGLISH);
    ExpectEnglishLicence();
    // Leaving on the Chinese licence: the next arrival by Next shows English again,
    // and the licence is not loaded a second time.
    Click(ID_ENGLISH);
    ExpectChineseLicence();
    Click(ID_BACK);
    WaitForPage(1);
    Click(ID_NEXT);
    WaitForPage(2);
    ExpectEnglishLicence();
    int again = (int)Query(Control(ID_LICENCE_ZH), LB_GETCOUNT, 0, 0);
    if (again != lines)
        Fail("Chinese licence has %d lines after a second visit, %d before", again, lines);
    Click(ID_CANCEL);
    WaitForCleanExit();
}

// Back to page 0 forgets the display-check answer; Back from page 2 keeps it, and the
// kept "NO" is what reaches the settings file.
static void ScenarioBackClears()
{
    std::string folder = FreshFolder("back_clears");
    StartWizard();
    GoToDisplayCheck(folder);
    Tick(ID_ANSWER_NO);
    Tick(ID_ANSWER_OK);
    Click(ID_ANSWER_OK);
    WaitForCheck(ID_ANSWER_OK, BST_UNCHECKED);
    if (CheckState(ID_ANSWER_NO) != BST_UNCHECKED)
        Fail("unticking OK ticked NO");
    Tick(ID_ANSWER_NO);
    Click(ID_BACK);
    WaitForPage(0);
    if (IsShown(ID_BACK))
        Fail("Back is shown on page 0");
    GoToDisplayCheck(folder);
    GoToLicence(ID_ANSWER_NO);
    Click(ID_BACK);
    WaitForPage(1);
    if (CheckState(ID_ANSWER_NO) != BST_CHECKED || CheckState(ID_ANSWER_OK) != BST_UNCHECKED)
        Fail("Back from page 2 lost the display-check answer");
    Click(ID_NEXT);
    WaitForPage(2);
    GoToLanguage();
    InstallAndFinish(0);
    CheckInstalled(folder, '1', UI_ENGLISH, true);
}

// A folder that already exists is used as it is: no "doc" sub-folder is added.
static void ScenarioExistingFolder()
{
    std::string folder = FreshFolder("existing_folder");
    MakeFolder(folder);
    RunFullInstall(folder, ID_ANSWER_OK, UI_TRADITIONAL, 0);
    CheckInstalled(folder, '0', UI_TRADITIONAL, false);
}

// From page 0 of a running wizard to Install with `folder`: the folder message, then page 0
// again with the navigation shown, no progress bar, and the typed folder kept.
void RefuseFolder(const std::string &folder)
{
    GoToDisplayCheck(folder);
    GoToLicence(ID_ANSWER_OK);
    GoToLanguage();
    Click(ID_NEXT);
    AnswerMessage(kMsgBadFolder, ID_OK, INSTALL_MS);
    WaitForPage(0);
    if (!IsShown(ID_NEXT) || !IsShown(ID_CANCEL))
        Fail("Next or Cancel hidden after the folder message");
    if (IsShown(ID_PROGRESS))
        Fail("progress bar shown although the install did not start");
    std::string typed = WindowText(Control(ID_FOLDER));
    if (typed != folder)
        Fail("folder field reads \"%s\" after the folder message, expected \"%s\"", typed.c_str(),
             folder.c_str());
}

// Install into a folder whose parent is missing; the wizard must come back to page 0.
static void FailFolderCreation(const std::string &missingRoot)
{
    RemoveTree(missingRoot);
    std::string folder = missingRoot + "\\sub\\deeper";
    StartWizard();
    RefuseFolder(folder);
    CheckNothingInstalled(missingRoot);
}

static void ScenarioBadFolder()
{
    FailFolderCreation(ScenarioFolder("missing"));
    Click(ID_CANCEL);
    WaitForCleanExit();
}

static void ScenarioBadFolderRetry()
{
    std::string folder = FreshFolder("bad_folder_retry");
    FailFolderCreation(ScenarioFolder("missing_retry"));
    GoToDisplayCheck(folder);
    GoToLicence(ID_ANSWER_OK);
    GoToLanguage();
    SelectLanguage(UI_SIMPLIFIED);
    InstallAndFinish(0);
    CheckInstalled(folder, '0', UI_SIMPLIFIED, true);
}

// Installs twice into one folder with markers in the word base between the runs; the
// second run asks about the old word base and gets `reply`.
static void Reinstall(const char *scenario, int reply)
{
    std::string folder = FreshFolder(scenario);
    RunFullInstall(folder, ID_ANSWER_OK, UI_ENGLISH, 0);
    CheckInstalled(folder, '0', UI_ENGLISH, true);
    std::string wordBase = folder + "\\wordbase.igb";
    std::string wordIndex = folder + "\\wordindex.idx";
    // The index marker keeps the top bit of its first byte: that is what marks an old word base.
    const std::string baseMarker = "PDGUI old word base";
    const std::string indexMarker = "\x80PDGUI old index";
    WriteWholeFile(wordBase, baseMarker);
    WriteWholeFile(wordIndex, indexMarker);

    RunFullInstall(folder, ID_ANSWER_NO, UI_SIMPLIFIED, reply);
    CheckInstalled(folder, '1', UI_SIMPLIFIED, true);
    bool kept = ReadWholeFile(wordBase) == baseMarker;
    bool indexKept = ReadWholeFile(wordIndex) == indexMarker;
    if (reply == ID_YES && (kept || indexKept))
        Fail("answering Yes left the old %s in place", kept ? "word base" : "word index");
    if (reply == ID_NO && (!kept || !indexKept))
        Fail("answering No replaced the old %s", kept ? "word index" : "word base");
}

static void ScenarioReinstallYes() { Reinstall("reinstall_yes", ID_YES); }
static void ScenarioReinstallNo() { Reinstall("reinstall_no", ID_NO); }

struct Scenario {
    const char *name;
    void (*run)();
};

static const Scenario kScenarios[] = {
    { "typical", ScenarioTypical },
    { "cancel_page0", ScenarioCancelPage0 },
    { "cancel_page1", ScenarioCancelPage1 },
    { "cancel_page2", ScenarioCancelPage2 },
    { "cancel_page3", ScenarioCancelPage3 },
    { "unanswered", ScenarioUnanswered },
    { "licence_switch", ScenarioLicenceSwitch },
    { "back_clears", ScenarioBackClears },
    { "existing_folder", ScenarioExistingFolder },
    { "bad_folder", ScenarioBadFolder },
    { "bad_folder_retry", ScenarioBadFolderRetry },
    { "reinstall_yes", ScenarioReinstallYes },
    { "reinstall_no", ScenarioReinstallNo },
    { "picker_ok", ScenarioPickerOk },
    { "picker_navigate", ScenarioPickerNavigate },
    { "picker_root", ScenarioPickerRoot },
    { "picker_cancel", ScenarioPickerCancel },
    { "enter_keys", ScenarioEnterKeys },
    { "screens", ScenarioScreens },
    { "damaged_payload", ScenarioDamagedPayload },
    { "bad_folders", ScenarioBadFolders },
    { "files_in_the_way", ScenarioFilesInTheWay },
    { "reinstall_kept", ScenarioReinstallKept },
    { "disk_full", ScenarioDiskFull },
    { "reinstall_held_open", ScenarioReinstallHeldOpen },
    { "second_copy", ScenarioSecondCopy },
    { "drive_root", ScenarioDriveRoot },
    { "dbcs_picker_zh_CN", ScenarioDbcsPickerZhCn },
    { "dbcs_picker_zh_TW", ScenarioDbcsPickerZhTw },
    { "dbcs_typed_zh_CN", ScenarioDbcsTypedZhCn },
    { "dbcs_typed_zh_TW", ScenarioDbcsTypedZhTw },
    { "dbcs_setup_name_zh_CN", ScenarioDbcsSetupNameZhCn },
    { "dbcs_setup_name_zh_TW", ScenarioDbcsSetupNameZhTw },
};

int main(int argc, char **argv)
{
    // "screens FOLDER" also saves a picture of each screen into FOLDER.
    if (argc == 3 && strcmp(argv[1], "screens") == 0)
        SaveScreensTo(argv[2]);
    for (const Scenario &scenario : kScenarios) {
        if ((argc == 2 || argc == 3) && strcmp(argv[1], scenario.name) == 0) {
            scenario.run();
            printf("PASS %s\n", scenario.name);
            return 0;
        }
    }
    printf("usage: wizard_driver SCENARIO [FOLDER for screens] (run in the folder of PendrelSetup.exe)\nscenarios:");
    for (const Scenario &scenario : kScenarios)
        printf(" %s", scenario.name);
    printf("\n");
    return 2;
}
