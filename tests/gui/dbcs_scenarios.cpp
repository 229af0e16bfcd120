// Double-byte folder and file names whose last character ends in 0x5C, the backslash,
// through the real installer on Simplified and Traditional Chinese systems: the picker's
// answer, a typed new folder with its "doc" sub-folder, the shortcuts, and an installer
// renamed so that the control-set file beside it must still be found.
#include "disk.h"
#include "driver.h"
#include "picker.h"
#include "scenarios.h"
#include "tests/shell/link_fields.h"
#include <shlobj.h>
#include <vector>

// Names in one code page, as escapes with their characters in the comments: this file
// holds GBK and Big5 alike. Each leaf ends in a character whose second byte is 0x5C.
struct DbcsNames {
    UINT codePage;
    const char *parent;     // an ordinary folder name
    const char *leaf;       // the install folder's name
    const char *setupName;  // the installer's file name
};

static const DbcsNames kGbk = {
    936,
    "\xC8\xED\xBC\xFE",                         // "软件"
    "\xD5\x5C",                                 // "誠"
    "\xB0\xB2\xD7\xB0\xD5\x5C.exe",             // "安装誠.exe"
};
// Under code page 950 GBK bytes that are not Big5 are lost on their way to the system.
static const DbcsNames kBig5 = {
    950,
    "\xB3\x6E\xC5\xE9",                         // "軟體"
    "\xA5\x5C\xB3\x5C",                         // "功許"
    "\xA6\x77\xB8\xCB\xA5\x5C.exe",             // "安裝功.exe"
};

// The names the scenario's locale calls for; fails when the system has another code page
// (a locale that is not generated falls back to English silently).
static const DbcsNames &NamesFor(UINT codePage)
{
    if (GetACP() != codePage)
        Fail("the system's code page is %u, the scenario needs %u: is its locale generated and set?",
             GetACP(), codePage);
    return codePage == kGbk.codePage ? kGbk : kBig5;
}

static const char *const kTargets[] = { "Pendrel.exe", "PdUnInstall.exe" };

struct FoundLink {
    std::string file;
    std::string programFolder;  // the Start-menu folder holding it, "" when none
    LinkFields fields;
    bool onDesktop;
};

static void CollectLinks(const std::string &folder, bool onDesktop, bool inProgramFolder,
                         std::vector<FoundLink> &links)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = found.cFileName;
        std::string path = folder + "\\" + name;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!onDesktop && !inProgramFolder)
                CollectLinks(path, false, true, links);
        } else if (EndsWith(name, ".lnk")) {
            links.push_back({ path, inProgramFolder ? folder : "", ReadLink(path), onDesktop });
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// The shortcuts in the Programs folder (and its program folders) and on the desktop whose
// target is one of the installed programs in `folder`.
static std::vector<FoundLink> LinksInto(const std::string &folder)
{
    std::vector<FoundLink> all, into;
    char programs[MAX_PATH] = "", desktop[MAX_PATH] = "";
    if (!SHGetSpecialFolderPathA(NULL, programs, CSIDL_PROGRAMS, FALSE) ||
        !SHGetSpecialFolderPathA(NULL, desktop, CSIDL_DESKTOPDIRECTORY, FALSE))
        Fail("cannot find the Programs folder or the desktop");
    CollectLinks(programs, false, false, all);
    CollectLinks(desktop, true, false, all);
    for (const FoundLink &link : all) {
        for (const char *target : kTargets)
            if (lstrcmpiA(link.fields.path.c_str(), (folder + "\\" + target).c_str()) == 0)
                into.push_back(link);
    }
    return into;
}

// Left by an earlier run of the same scenario, they would be counted as this run's; left
// by this one, their Chinese names would trouble the scenarios that follow under a
// single-byte code page. An emptied program folder goes too.
static void RemoveLinksInto(const std::string &folder)
{
    for (const FoundLink &link : LinksInto(folder)) {
        if (!DeleteFileA(link.file.c_str()))
            Fail("cannot delete the shortcut %s", link.file.c_str());
        if (!link.programFolder.empty())
            RemoveDirectoryA(link.programFolder.c_str());
    }
}

// Both Start-menu shortcuts and the desktop one point at their programs in `folder`, and
// start in it.
static void CheckShortcuts(const std::string &folder)
{
    std::vector<FoundLink> links = LinksInto(folder);
    int count[2][2] = { { 0, 0 }, { 0, 0 } };     // [on the desktop][the uninstaller]
    for (const FoundLink &link : links) {
        if (lstrcmpiA(link.fields.workingDirectory.c_str(), folder.c_str()) != 0)
            Fail("%s starts in \"%s\", expected \"%s\"", link.file.c_str(),
                 link.fields.workingDirectory.c_str(), folder.c_str());
        if (lstrcmpiA(link.fields.iconFile.c_str(), link.fields.path.c_str()) != 0)
            Fail("%s takes its icon from \"%s\"", link.file.c_str(), link.fields.iconFile.c_str());
        ++count[link.onDesktop][EndsWith(link.fields.path, kTargets[1])];
    }
    if (count[0][0] != 1 || count[0][1] != 1 || count[1][0] != 1 || count[1][1] != 0)
        Fail("shortcuts into %s: Start menu %d to the program, %d to the uninstaller; desktop %d "
             "and %d; expected 1, 1, 1, 0", folder.c_str(), count[0][0], count[0][1], count[1][0],
             count[1][1]);
    RemoveLinksInto(folder);
}

static void InstallFromHere(const std::string &folder, int language)
{
    GoToDisplayCheck(folder);
    GoToLicence(ID_ANSWER_OK);
    GoToLanguage();
    SelectLanguage(language);
    InstallAndFinish(0);
}

// The picker opened in a folder whose name ends in such a character answers with that
// whole name, and the install goes there (an existing folder: no "doc" sub-folder).
static void PickerScenario(const char *scenario, UINT codePage)
{
    const DbcsNames &names = NamesFor(codePage);
    std::string root = FreshFolder(scenario);
    std::string start = root + "\\start";
    std::string chosen = start + "\\" + names.leaf;
    MakeFolder(root);
    MakeFolder(start);
    MakeFolder(chosen);
    RemoveLinksInto(chosen);
    StartWizard(start.c_str());
    HWND picker = BrowseFrom(start);
    OpenEntry(picker, std::string("[") + names.leaf + "]");
    AcceptPicker(picker);
    WaitForFolderField(chosen);
    InstallFromHere(chosen, UI_TRADITIONAL);
    CheckInstalled(chosen, '0', UI_TRADITIONAL, false);
    CheckShortcuts(chosen);
}

// A typed new folder gets its "doc" sub-folder inside it, not a "<name>doc" beside it.
static void TypedScenario(const char *scenario, UINT codePage)
{
    const DbcsNames &names = NamesFor(codePage);
    std::string root = FreshFolder(scenario);
    std::string parent = root + "\\" + names.parent;
    std::string folder = parent + "\\" + names.leaf;
    MakeFolder(root);
    MakeFolder(parent);
    RemoveLinksInto(folder);
    StartWizard();
    InstallFromHere(folder, UI_SIMPLIFIED);
    CheckInstalled(folder, '0', UI_SIMPLIFIED, true);
    if (PathExists(folder + "doc"))
        Fail("the \"doc\" sub-folder was made beside the install folder, as %sdoc", folder.c_str());
    CheckShortcuts(folder);
}

// The installer under a name whose last character before ".exe" ends in 0x5C still finds
// the control-set file beside it and copies it into the Windows folder.
static void SetupNameScenario(const char *scenario, UINT codePage)
{
    const DbcsNames &names = NamesFor(codePage);
    std::string download = FreshFolder(scenario);
    std::string folder = FreshFolder((std::string(scenario) + "_target").c_str());
    MakeFolder(download);
    std::string setup = download + "\\" + names.setupName;
    if (!CopyFileA("PendrelSetup.exe", setup.c_str(), FALSE))
        Fail("cannot copy the installer to %s", setup.c_str());
    const std::string controlSet = std::string("control set beside ") + names.setupName;
    WriteWholeFile(download + "\\CtlSet2.bin", controlSet);
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    std::string installed = std::string(windows) + "\\CtlSet2.bin";
    RemoveTree(installed);
    RemoveLinksInto(folder);

    UseInstaller(setup.c_str());
    StartWizard(download.c_str());
    InstallFromHere(folder, UI_ENGLISH);
    UseInstaller("PendrelSetup.exe");
    CheckInstalled(folder, '0', UI_ENGLISH, true);
    if (!PathExists(installed))
        Fail("%s did not copy the control-set file beside it into %s", setup.c_str(), windows);
    if (ReadWholeFile(installed) != controlSet)
        Fail("the control set in %s is not the one beside %s", windows, setup.c_str());
    CheckShortcuts(folder);
}

void ScenarioDbcsPickerZhCn() { PickerScenario("dbcs_picker_zh_CN", 936); }
void ScenarioDbcsPickerZhTw() { PickerScenario("dbcs_picker_zh_TW", 950); }
void ScenarioDbcsTypedZhCn() { TypedScenario("dbcs_typed_zh_CN", 936); }
void ScenarioDbcsTypedZhTw() { TypedScenario("dbcs_typed_zh_TW", 950); }
void ScenarioDbcsSetupNameZhCn() { SetupNameScenario("dbcs_setup_name_zh_CN", 936); }
void ScenarioDbcsSetupNameZhTw() { SetupNameScenario("dbcs_setup_name_zh_TW", 950); }
