// The install sequence: leftovers of a cut-off install, the old-word-base decision, the
// checks, the clean-up and the catalogue all or nothing, the finish.
#include "install.h"
#include "catalogue.h"
#include "file_ops.h"
#include "payload_check.h"
#include "preflight.h"
#include "set_aside.h"
#include "settings.h"
#include "shortcut_names.h"
#include "../shell/shell.h"
#include "../msgbox/message_box.h"
#include "../base/path.h"
#include "../base/state.h"
#include "../resources/resource.h"
#include <commctrl.h>
#include <shlobj.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>

// Each step repaints at once: no messages are pumped while the install runs. Without a bar
// there is nothing to move or repaint (UpdateWindow(NULL) would repaint the whole desktop).
static void SetProgress(HWND bar, int position)
{
    if (!bar)
        return;
    SendMessageA(bar, PBM_SETPOS, (WPARAM)position, 0);
    UpdateWindow(bar);
}

// Returns 1 when the user chose to keep the word base already in the install folder.
// Only an index whose first byte has the top bit set marks a usable old word base.
static int KeepOldWordBase(void)
{
    char path[MAX_PATH];
    if (!FormatPath(path, "%s\\wordbase.igb", g_installFolder) || _access(path, 0) != 0)
        return 0;

    int keepOld = 0;
    FILE *index = FormatPath(path, "%s\\wordindex.idx", g_installFolder) ? fopen(path, "rb") : NULL;
    if (index) {
        int first = fgetc(index);
        fclose(index);
        if (first != EOF && (first & 0x80)) {
            int answer = BiMessageBox("安装目录有老词库。是否安装新词库(会冲掉老词库)?",
                                      "Old CiKu (Word Base) is detected. Replace it with new CiKu?",
                                      BIMB_YESNO, g_hMainDlg);
            keepOld = answer != IDYES;
        }
    }
    SetCursor(LoadCursor(NULL, IDC_WAIT));
    return keepOld;
}

int OldDictionaryPath(int index, char *path)
{
    char name[DICTIONARY_NAME_BYTES];
    OldDictionaryName(index, name);
    return FormatPath(path, "%s\\%s", g_installFolder, name);
}

// Set aside rather than deleted, so that a failed install brings them back. The checks
// found each one free to take: one that cannot be moved now was taken since, and the
// install stops rather than leave the user's words behind a half-made installation.
static int DeleteOldDictionaries(SetAsideList *list)
{
    for (int index = 0; index < OLD_DICTIONARY_PATHS; index++) {
        if (!SetAside(list, index))
            return 0;
    }
    return 1;
}

// A failed optional entry gets its old file back and the install goes on.
static int ExtractCatalogue(unsigned char *buffer, HWND bar, SetAsideList *list)
{
    for (int i = 0; i < CATALOGUE_ENTRIES; i++) {
        const CatalogueEntry &entry = g_catalogue[i];
        int index = OLD_DICTIONARY_PATHS + i;
        if (list->names->name[index]) {
            int written = SetAside(list, index) &&
                          ExtractResource(entry.id, NameInFolder(list, index), buffer, INSTALL_BUFFER_BYTES,
                                          entry.readOnly, entry.hidden);
            if (written) {
                CarryOverAttributes(list, index);
            } else {
                PutBack(list, index);
                if (entry.required)
                    return 0;
            }
        }
        if (entry.progress)
            SetProgress(bar, entry.progress);
        if (entry.progress2)
            SetProgress(bar, entry.progress2);
    }
    return 1;
}

int InstallFiles(unsigned char *buffer, HWND bar, int keepOld)
{
    InstallNames names;
    SetAsideList list;
    ListInstallNames(&names, keepOld);
    if (!PlanSetAside(&list, &names))
        return 0;
    int result = DeleteOldDictionaries(&list) && ExtractCatalogue(buffer, bar, &list);
    if (result)
        DiscardSetAside(&list);
    else
        PutBackAll(&list);
    return result;
}

// The control-set file travels beside the installer; without it the Windows folder
// is left alone. The user's old copy is unprotected and copied over rather than deleted
// first, so that a failed copy leaves it in place, protected as it was.
static void CopyControlSet(void)
{
    char source[MAX_PATH];
    char target[MAX_PATH];
    if (!FormatPath(source, "%sCtlSet%c.bin", g_wizardFolder, '2') || _access(source, 0) != 0)
        return;
    if (!FormatPath(target, "%sCtlSet%c.bin", g_windowsFolder, '2'))
        return;
    DWORD oldAttrs = GetFileAttributesA(target);
    ClearProtectAttrs(target, 1, 1);
    if (!CopyFileA(source, target, FALSE) && oldAttrs != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesA(target, oldAttrs);
}

// What follows the files: its failures are reported or passed over, never undone.
static void FinishInstall(HWND bar)
{
    UpdateSettingsFile();
    const ShortcutNames &names = g_shortcutNames[g_chineseVariant >= 0 && g_chineseVariant <= 2 ? g_chineseVariant : 0];
    const ShortcutEntry entries[] = {
        { names.program, "Pendrel.exe" },
        { names.uninstaller, "PdUnInstall.exe" },
        { NULL, NULL },
    };
    CreateStartMenuEntries(names.folder, entries, CSIDL_PROGRAMS);
    SetProgress(bar, 94);
    if (g_desktopIcon)
        CreateDesktopShortcut("Pendrel.exe", names.program);
    SetProgress(bar, 97);
    SetProgress(bar, 100);
    CopyControlSet();
}

static int LeftoversPutBack(int keepOld, InstallProblem *problem)
{
    (void)keepOld;
    return PutBackInterrupted(problem);
}

// Shows each problem with Retry and Cancel until the step passes; 0 when the user gives up.
static int PassWithRetry(int (*step)(int keepOld, InstallProblem *problem), int keepOld)
{
    InstallProblem problem;
    while (!step(keepOld, &problem)) {
        if (!AskToRetry(&problem))
            return 0;
    }
    return 1;
}

int RunInstall(void)
{
    unsigned char *buffer = (unsigned char *)malloc(INSTALL_BUFFER_BYTES);
    if (!buffer) {
        BiMessageBox("内存不够。安装无法继续。", "Memory not enough!", BIMB_OK, g_hMainDlg);
        return 0;
    }

    HWND bar = GetDlgItem(g_hMainDlg, IDC_PROGRESS);
    ShowWindow(bar, SW_SHOW);
    SetProgress(bar, 10);

    // A damaged download is refused before anything is written or deleted, and so is an
    // install that the checks find cannot finish; what no check can foresee (the disk
    // filled from elsewhere, a write error) is undone by putting back what was set aside.
    int result = 0;
    if (VerifyPayload() && PassWithRetry(LeftoversPutBack, 0)) {
        int keepOld = KeepOldWordBase();
        if (PassWithRetry(CheckInstallCanFinish, keepOld)) {
            result = InstallFiles(buffer, bar, keepOld);
            if (result)
                FinishInstall(bar);
        }
    }
    free(buffer);
    return result;
}
