// Faults met through the real installer: a damaged download, folders that cannot be used,
// files in the way, repeated installs and a full disk. Each case checks what the user is
// told, how the installer ends, and what is on disk afterwards.
#include "disk.h"
#include "driver.h"
#include "scenarios.h"
#include <shlobj.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <zlib.h>
#include <vector>

struct FaultEntry {
    int id;
    const char *name;
    int readOnly;
    int hidden;
    int required;
};

static const FaultEntry kEntries[] = {
#define CATALOGUE_ROW(n, id, file, readOnly, hidden, required, ...) { id, file, readOnly, hidden, required },
#include "install/catalogue_rows.h"
#undef CATALOGUE_ROW
};

static const char kDamagedExe[] = "pdfault_damaged.exe";
static const char kMsgNoRoom[] = "Not enough disk space: * KB more needed. Free some and press Retry, or Cancel to give up.";
static const char kMsgAlreadyRunning[] = "Pendrel Setup is already running. Finish or close it first.";

// The problem message for a file in use, or for a folder where a file goes.
static std::string InUseMessage(const char *name)
{
    return std::string(name) + " is in use or locked. Quit all Zelvo applications and press Retry, or Cancel to give up.";
}

static std::string FolderMessage(const char *name)
{
    return std::string("A folder ") + name + " stands where a file must go. Move it and press Retry, or Cancel to give up.";
}
static const DWORD RO_HIDDEN = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

static const FaultEntry &Entry(const char *name)
{
    for (const FaultEntry &entry : kEntries)
        if (strcmp(entry.name, name) == 0)
            return entry;
    Fail("no catalogue entry %s", name);
}

static void WriteWithAttributes(const std::string &path, const std::string &content, DWORD attributes)
{
    WriteWholeFile(path, content);
    if (!SetFileAttributesA(path.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL))
        Fail("cannot set the attributes of %s", path.c_str());
}

static DWORD Protection(const std::string &path)
{
    DWORD attributes = Attributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        Fail("%s does not exist", path.c_str());
    return attributes & RO_HIDDEN;
}

static DWORD CatalogueProtection(const FaultEntry &entry)
{
    return (entry.readOnly ? FILE_ATTRIBUTE_READONLY : 0) | (entry.hidden ? FILE_ATTRIBUTE_HIDDEN : 0);
}

// The installer's own module, read as data: the payload items as built.
static HMODULE Installer()
{
    static HMODULE module = LoadLibraryExA("PendrelSetup.exe", NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        Fail("cannot read PendrelSetup.exe as data (error %lu)", (unsigned long)GetLastError());
    return module;
}

// The bytes the installer should write for the item.
static std::string PayloadFile(int id)
{
    HRSRC found = FindResourceA(Installer(), MAKEINTRESOURCEA(id), "TEXT");
    if (!found)
        Fail("the installer has no item %d", id);
    const Bytef *packed = (const Bytef *)LockResource(LoadResource(Installer(), found));
    static std::vector<Bytef> buffer(16 << 20);
    uLongf length = (uLongf)buffer.size();
    if (uncompress(buffer.data(), &length, packed, SizeofResource(Installer(), found)) != Z_OK)
        Fail("item %d of the installer does not inflate", id);
    return std::string((const char *)buffer.data(), length);
}

static BOOL CALLBACK TakeLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR found)
{
    *(WORD *)found = language;
    return FALSE;
}

// A copy of the installer beside it with item `id` damaged: one byte of the stored stream
// flipped, or the stream cut off after its first half. Wine's UpdateResource keeps an item
// that is asked to be removed, so a missing item is left to the payload check's own tests.
static void MakeDamagedInstaller(int id, bool truncate)
{
    HRSRC found = FindResourceA(Installer(), MAKEINTRESOURCEA(id), "TEXT");
    WORD language = 0;
    EnumResourceLanguagesA(Installer(), "TEXT", MAKEINTRESOURCEA(id), TakeLanguage, (LONG_PTR)&language);
    SetFileAttributesA(kDamagedExe, FILE_ATTRIBUTE_NORMAL);
    if (!found || !CopyFileA("PendrelSetup.exe", kDamagedExe, FALSE))
        Fail("cannot copy the installer to damage item %d", id);
    DWORD size = SizeofResource(Installer(), found);
    const char *bytes = (const char *)LockResource(LoadResource(Installer(), found));
    std::string damaged(bytes, size);
    if (truncate)
        damaged.resize(size / 2);
    else
        damaged[size / 2] ^= 0x10;
    HANDLE update = BeginUpdateResourceA(kDamagedExe, FALSE);
    if (!update || !UpdateResourceA(update, "TEXT", MAKEINTRESOURCEA(id), language, &damaged[0],
                                    (DWORD)damaged.size()) ||
        !EndUpdateResourceA(update, FALSE))
        Fail("cannot rewrite item %d in the copy (error %lu)", id, (unsigned long)GetLastError());
}

// What a user's earlier installation might hold: some catalogue files, protected and not,
// a word base the user built, learned words, and a file of the user's own.
static void PlantOldInstallation(const std::string &folder)
{
    MakeFolder(folder);
    WriteWithAttributes(folder + "\\syllables.dic", "old syllables", RO_HIDDEN);
    WriteWithAttributes(folder + "\\appcfg.ini", "[Config]\r\nUseBmpFont=1\r\n", FILE_ATTRIBUTE_READONLY);
    WriteWithAttributes(folder + "\\wordbase.igb", "the user's own word base", 0);
    WriteWithAttributes(folder + "\\wordindex.idx", "\x80 the user's index", FILE_ATTRIBUTE_HIDDEN);
    WriteWithAttributes(folder + "\\learned.dic", "words the user taught", RO_HIDDEN);
    WriteWithAttributes(folder + "\\my notes.txt", "not the installer's", 0);
}

// Walks to page 3 and presses Install; the damaged payload must be refused before the disk
// is touched, with the failure message and no question.
static void RefusedInstall(const std::string &folder)
{
    StartWizard();
    GoToDisplayCheck(folder);
    GoToLicence(ID_ANSWER_OK);
    GoToLanguage();
    Click(ID_NEXT);
    AnswerMessage(kMsgFailure, ID_OK, INSTALL_MS);
    WaitForCleanExit();
}

enum DamageEffect { NO_START, EMPTY_CHINESE_LICENCE, EMPTY_ENGLISH_LICENCE, REFUSED };

static void CheckLicencePage(DamageEffect effect)
{
    StartWizard();
    GoToDisplayCheck(FreshFolder("fault_licence"));
    Click(ID_ANSWER_OK);
    WaitForCheck(ID_ANSWER_OK, BST_CHECKED);
    Click(ID_NEXT);
    WaitForPage(2);
    int englishId = ID_LICENCE_EN, chineseId = ID_LICENCE_ZH;
    WaitUntil("the English licence alone", STATE_MS, [=] { return IsShown(englishId) && !IsShown(chineseId); });
    LRESULT english = Query(Control(ID_LICENCE_EN), WM_GETTEXTLENGTH, 0, 0);
    Click(ID_ENGLISH);
    WaitUntil("the Chinese licence alone", STATE_MS, [=] { return IsShown(chineseId) && !IsShown(englishId); });
    LRESULT chinese = Query(Control(ID_LICENCE_ZH), LB_GETCOUNT, 0, 0);
    bool englishEmpty = effect == EMPTY_ENGLISH_LICENCE;
    if ((english == 0) != englishEmpty || (chinese == 0) == englishEmpty)
        Fail("licence page holds %ld English characters and %ld Chinese lines", (long)english, (long)chinese);
    Click(ID_CANCEL);
    WaitForCleanExit();
}

void ScenarioDamagedPayload()
{
    struct Case {
        int id;
        bool truncate;
        DamageEffect effect;
        bool oldInstallation;   // refused over an earlier installation, else into a new folder
    };
    static const Case kCases[] = {
        { 110, false, NO_START, false },                  // glyph atlas
        { 110, true, NO_START, false },
        { 124, false, EMPTY_CHINESE_LICENCE, false },
        { 161, true, EMPTY_ENGLISH_LICENCE, false },
        { 106, false, REFUSED, true },                    // required, the first entry
        { 109, true, REFUSED, false },                    // required, the last entry
        { 153, true, REFUSED, true },                     // optional
        { 128, false, REFUSED, true },                    // the word index
    };
    UseInstaller(kDamagedExe);
    for (const Case &c : kCases) {
        Note("item %d %s", c.id, c.truncate ? "cut off" : "with a flipped byte");
        MakeDamagedInstaller(c.id, c.truncate);
        if (c.effect == NO_START) {
            DWORD code = RunInstallerWithoutWindow();
            if (code != 1)
                Fail("a damaged glyph atlas ended the installer with code %lu, expected 1", (unsigned long)code);
        } else if (c.effect == REFUSED) {
            std::string folder = FreshFolder("fault_damaged");
            if (c.oldInstallation)
                PlantOldInstallation(folder);
            std::string before = Snapshot(folder);
            RefusedInstall(folder);
            if (!c.oldInstallation && PathExists(folder))
                Fail("the install folder was made for a damaged payload");
            if (Snapshot(folder) != before)
                Fail("a damaged payload changed the earlier installation:\n%s\nnow:\n%s", before.c_str(),
                     Snapshot(folder).c_str());
        } else {
            CheckLicencePage(c.effect);
        }
    }
    UseInstaller("PendrelSetup.exe");
    DeleteFileA(kDamagedExe);
}

// Folders the wizard cannot install into: the folder message, back on page 0 with the typed
// text, and nothing new on drive C:. All in one run, correcting the folder each time.
void ScenarioBadFolders()
{
    std::string parentless = FreshFolder("fault_missing") + "\\sub";
    std::string file = FreshFolder("fault_file");
    WriteWholeFile(file, "a file where the folder would go");
    std::string longParent = FreshFolder("fault_long");
    MakeFolder(longParent);
    std::string longName = longParent + "\\";
    longName += std::string(259 - longName.size(), 'n');
    std::string badCharacters = ScenarioFolder("fault_a|b");
    RemoveTree(badCharacters);
    std::string noDrive;
    for (char letter = 'Q'; letter <= 'Y' && noDrive.empty(); ++letter)
        if (GetDriveTypeA((std::string(1, letter) + ":\\").c_str()) == DRIVE_NO_ROOT_DIR)
            noDrive = std::string(1, letter) + ":\\Pendrel";
    if (noDrive.empty())
        Fail("every drive letter from Q to Y is in use");
    const std::string kFolders[] = { parentless, longName, badCharacters, noDrive, file };

    std::string rootBefore = Snapshot("C:\\pdgui_fault_long");
    std::string fileBefore = ReadWholeFile(file);
    StartWizard();
    for (const std::string &folder : kFolders) {
        Note("folder %s (%u bytes)", folder.c_str(), (unsigned)folder.size());
        RefuseFolder(folder);
    }
    Click(ID_CANCEL);
    WaitForCleanExit();
    if (PathExists(ScenarioFolder("fault_missing")) || PathExists(badCharacters))
        Fail("a folder was made although the install was refused");
    if (Snapshot("C:\\pdgui_fault_long") != rootBefore)
        Fail("a folder was made for the 259-byte name");
    if (IsFolder(file) || ReadWholeFile(file) != fileBefore)
        Fail("the file in the folder's place changed");
}

// Read-only and hidden targets are replaced; a file held open without sharing, or a folder
// under a file's name, fails its entry: an optional one is passed over; for a required one
// the install names it before it changes anything, and giving up ends with the failure
// message and the folder as it was.
void ScenarioFilesInTheWay()
{
    enum Obstacle { PROTECTED, HELD_OPEN, FOLDER };
    struct Case {
        const char *name;
        Obstacle obstacle;
    };
    struct Run {
        Case cases[4];
        const char *message;
        std::string problem;    // the message before any change, "" for none
    };
    static const Run kRuns[] = {
        { { { "samecode.dic", PROTECTED }, { "ranking.dic", PROTECTED }, { "wordshape.idx", PROTECTED },
            { "lexdata.bin", HELD_OPEN } }, kMsgSuccess, "" },
        { { { "hints.txt", FOLDER } }, kMsgSuccess, "" },
        { { { "syllables.dic", HELD_OPEN } }, kMsgFailure, InUseMessage("syllables.dic") },
        { { { "charlist.dic", FOLDER } }, kMsgFailure, FolderMessage("charlist.dic") },
    };
    const std::string kOld = "the user's old copy";
    for (const Run &run : kRuns) {
        std::string folder = FreshFolder("fault_in_the_way");
        MakeFolder(folder);
        for (const Case &c : run.cases) {
            if (!c.name)
                break;
            std::string path = folder + "\\" + c.name;
            if (c.obstacle == FOLDER) {
                MakeFolder(path);
                WriteWholeFile(path + "\\inside", kOld);
            } else {
                WriteWithAttributes(path, kOld, c.obstacle == PROTECTED ? RO_HIDDEN : 0);
            }
        }
        std::string prepared = Snapshot(folder);
        std::vector<HANDLE> held;
        for (const Case &c : run.cases) {
            if (!c.name || c.obstacle != HELD_OPEN)
                continue;
            std::string path = folder + "\\" + c.name;
            HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
            if (file == INVALID_HANDLE_VALUE)
                Fail("cannot hold %s open", path.c_str());
            held.push_back(file);
        }
        StartWizard();
        GoToDisplayCheck(folder);
        GoToLicence(ID_ANSWER_OK);
        GoToLanguage();
        Click(ID_NEXT);
        if (!run.problem.empty())
            AnswerMessage(run.problem.c_str(), ID_CANCEL, INSTALL_MS);
        AnswerMessage(run.message, ID_OK, INSTALL_MS);
        WaitForCleanExit();
        for (HANDLE file : held)
            CloseHandle(file);
        if (!run.problem.empty() && Snapshot(folder) != prepared)
            Fail("giving up changed the folder:\n%s\nnow:\n%s", prepared.c_str(), Snapshot(folder).c_str());
        for (const Case &c : run.cases) {
            if (!c.name)
                break;
            const FaultEntry &entry = Entry(c.name);
            std::string path = folder + "\\" + c.name;
            if (c.obstacle == PROTECTED) {
                if (ReadWholeFile(path) != PayloadFile(entry.id) || Protection(path) != CatalogueProtection(entry))
                    Fail("%s: protected old copy not replaced with the catalogue's bytes and flags", c.name);
            } else if (c.obstacle == FOLDER) {
                if (!IsFolder(path) || ReadWholeFile(path + "\\inside") != kOld)
                    Fail("%s: the folder in the way was changed", c.name);
            } else if (ReadWholeFile(path) != kOld) {
                Fail("%s: the file held open was changed", c.name);
            }
        }
        if (run.message == kMsgSuccess) {
            if (!PathExists(folder + "\\Pendrel.exe") || ReadWholeFile(folder + "\\Pendrel.exe") != PayloadFile(109))
                Fail("the install went on but did not finish");
        } else if (PathExists(folder + "\\Pendrel.exe")) {
            Fail("a failed required entry did not end the install");
        }
    }
}

// Installs again over a kept word base, answering `reply`, or closing the question box.
static void InstallOver(const std::string &folder, int reply)
{
    StartWizard();
    GoToDisplayCheck(folder);
    GoToLicence(ID_ANSWER_NO);
    GoToLanguage();
    Click(ID_NEXT);
    HWND box = ExpectMessage(kMsgOldWordBase, ID_YES, INSTALL_MS);
    if (reply == ID_CANCEL)
        CloseMessage(box);
    else
        Answer(box, reply);
    AnswerMessage(kMsgSuccess, ID_OK, INSTALL_MS);
    WaitForCleanExit();
}

// A second and a third install keep the user's word base and its three indexes byte for
// byte, attributes included, when the answer is No or the question box is closed.
void ScenarioReinstallKept()
{
    std::string folder = FreshFolder("reinstall_kept");
    RunFullInstall(folder, ID_ANSWER_OK, UI_ENGLISH, 0);
    struct Mark {
        const char *name;
        const char *content;
        DWORD attributes;
    };
    static const Mark kMarks[] = {
        { "wordbase.igb", "the user's words", 0 },
        { "wordshape.idx", "user shape index", FILE_ATTRIBUTE_HIDDEN },
        { "wordindex.idx", "\x81user word index", 0 },
        { "wordinitials.idx", "user initials index", FILE_ATTRIBUTE_READONLY },
    };
    for (const Mark &mark : kMarks)
        WriteWithAttributes(folder + "\\" + mark.name, mark.content, mark.attributes);
    auto wordBase = [&] {
        std::string lines;
        for (const Mark &mark : kMarks) {
            std::string path = folder + "\\" + mark.name;
            char attributes[16];
            snprintf(attributes, sizeof attributes, " 0x%02lX\n", Protection(path));
            lines += std::string(mark.name) + " " + ReadWholeFile(path) + attributes;
        }
        return lines;
    };
    std::string before = wordBase();
    static const int kReplies[] = { ID_NO, ID_CANCEL };
    for (int reply : kReplies) {
        Note("install again, %s", reply == ID_NO ? "answering No" : "closing the question box");
        InstallOver(folder, reply);
        for (const FaultEntry &entry : kEntries) {
            bool marked = false;
            for (const Mark &mark : kMarks)
                marked = marked || strcmp(mark.name, entry.name) == 0;
            std::string path = folder + "\\" + entry.name;
            if (!marked && Protection(path) != CatalogueProtection(entry))
                Fail("%s lost its catalogue flags on the install over a kept word base", entry.name);
        }
        if (wordBase() != before)
            Fail("the kept word base changed:\n%s\nnow:\n%s", before.c_str(), wordBase().c_str());
    }
}

// The special folders a failed install must leave alone, with what is in them.
static std::string OutsideInstallFolder()
{
    std::string all;
    static const int kFolders[] = { CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY };
    for (int csidl : kFolders) {
        char path[MAX_PATH] = "";
        if (SHGetSpecialFolderPathA(NULL, path, csidl, FALSE))
            all += std::string(path) + ":\n" + Snapshot(path);
    }
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    std::string controlSet = std::string(windows) + "\\CtlSet2.bin";
    all += "control set: " + (PathExists(controlSet) ? ReadWholeFile(controlSet) : std::string("none"));
    return all;
}

// The drive that mapped_drive.sh made for the run, as "R:", or "" with the reason noted.
static std::string MappedDrive(bool needsSmallDisk)
{
    const char *drive = getenv("PENDREL_FAULT_DRIVE");
    const char *skip = getenv("PENDREL_FAULT_DRIVE_SKIP");
    if (!drive || !*drive) {
        Note("SKIP: no drive mapped for the test (run through mapped_drive.sh)");
        return "";
    }
    if (needsSmallDisk && skip && *skip) {
        Note("SKIP: no small file system: %s", skip);
        return "";
    }
    return drive;
}

// The install folder on a small file system that cannot take the new files beside the old
// ones: the message says how much is missing before anything changes, Retry with the disk
// still full asks again, and giving up ends with the failure message, the earlier
// installation and everything outside the install folder as they were.
void ScenarioDiskFull()
{
    std::string drive = MappedDrive(true);
    if (drive.empty())
        return;
    std::string folder = drive + "\\Pendrel";
    RemoveTree(folder);
    PlantOldInstallation(folder);
    WriteWithAttributes(folder + "\\wordshape.idx", "user shape index", 0);
    WriteWithAttributes(folder + "\\wordinitials.idx", "user initials index", 0);
    std::string before = Snapshot(folder);
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    WriteWholeFile(std::string(windows) + "\\CtlSet2.bin", "the user's control set");
    std::string outside = OutsideInstallFolder();

    StartWizard();
    GoToDisplayCheck(folder);
    GoToLicence(ID_ANSWER_OK);
    GoToLanguage();
    Click(ID_NEXT);
    AnswerMessage(kMsgOldWordBase, ID_NO, INSTALL_MS);
    AnswerMessage(kMsgNoRoom, ID_RETRY, INSTALL_MS);
    AnswerMessage(kMsgNoRoom, ID_CANCEL, INSTALL_MS);
    AnswerMessage(kMsgFailure, ID_OK, INSTALL_MS);
    WaitForCleanExit();

    if (Snapshot(folder) != before)
        Fail("the earlier installation changed on the full disk:\n%s\nnow:\n%s", before.c_str(),
             Snapshot(folder).c_str());
    if (OutsideInstallFolder() != outside)
        Fail("a failed install wrote outside its folder");
}

// A reinstall while the program runs: its file held open (others may read it, as a running
// program's; nobody may write, move or delete it). The message names it and nothing has
// changed; Retry while it still runs asks again, Retry once it ended installs. Giving up
// instead ends with the failure message and the earlier installation as it was.
void ScenarioReinstallHeldOpen()
{
    std::string folder = FreshFolder("held_open");
    RunFullInstall(folder, ID_ANSWER_OK, UI_ENGLISH, 0);
    WriteWithAttributes(folder + "\\hints.txt", "changed by the user", RO_HIDDEN);
    WriteWithAttributes(folder + "\\learned.dic0101", "words the user taught", 0);
    std::string before = Snapshot(folder);
    std::string program = folder + "\\Pendrel.exe";
    std::string message = InUseMessage("Pendrel.exe");
    for (int giveUp = 1; giveUp >= 0; giveUp--) {
        Note(giveUp ? "giving up" : "retrying");
        HANDLE held = CreateFileA(program.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        if (held == INVALID_HANDLE_VALUE)
            Fail("cannot hold %s open", program.c_str());
        StartWizard();
        GoToDisplayCheck(folder);
        GoToLicence(ID_ANSWER_OK);
        GoToLanguage();
        Click(ID_NEXT);
        AnswerMessage(kMsgOldWordBase, ID_YES, INSTALL_MS);
        HWND box = ExpectMessage(message.c_str(), ID_RETRY, INSTALL_MS);
        if (Snapshot(folder) != before)
            Fail("the folder changed before the program was closed:\n%s\nnow:\n%s", before.c_str(),
                 Snapshot(folder).c_str());
        if (giveUp) {
            Answer(box, ID_CANCEL);
            CloseHandle(held);
            AnswerMessage(kMsgFailure, ID_OK, INSTALL_MS);
            WaitForCleanExit();
            if (Snapshot(folder) != before)
                Fail("giving up changed the earlier installation");
            continue;
        }
        Answer(box, ID_RETRY);
        box = ExpectMessage(message.c_str(), ID_RETRY, INSTALL_MS);
        CloseHandle(held);
        Answer(box, ID_RETRY);
        AnswerMessage(kMsgSuccess, ID_OK, INSTALL_MS);
        WaitForCleanExit();
    }
    CheckInstalled(folder, '0', UI_ENGLISH, true);
}

// A second copy started while the wizard is open says so and ends; the first goes on.
void ScenarioSecondCopy()
{
    std::string folder = FreshFolder("second_copy");
    StartWizard();
    DWORD code = RunSecondCopy(kMsgAlreadyRunning);
    if (code != 1)
        Fail("the second copy ended with code %lu, expected 1", (unsigned long)code);
    GoToDisplayCheck(folder);
    GoToLicence(ID_ANSWER_OK);
    GoToLanguage();
    InstallAndFinish(0);
    CheckInstalled(folder, '0', UI_ENGLISH, true);
}

// "R:" from the picker is the root of the drive: the install goes there.
void ScenarioDriveRoot()
{
    std::string drive = MappedDrive(false);
    if (drive.empty())
        return;
    RunFullInstall(drive, ID_ANSWER_OK, UI_ENGLISH, 0);
    for (const FaultEntry &entry : kEntries) {
        std::string path = drive + "\\" + entry.name;
        if (!PathExists(path) || Protection(path) != CatalogueProtection(entry))
            Fail("%s not installed in the root of %s with its flags", entry.name, drive.c_str());
    }
}
