// The install sequence: old-word-base decision, clean-up, the catalogue, the finish.
#include "install.h"
#include "catalogue.h"
#include "file_ops.h"
#include "payload_check.h"
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
    // Each base name bare, then with the binary suffixes 0001 to 1111.
    static const char *const kBaseFormats[] = {
        "%s\\syllables.dic%s", "%s\\Charlist.dic%s", "%s\\learned.dic%s", "%s\\tuned.dic%s"
    };
    int value = index / 4;
    char suffix[8] = "";
    if (value != 0)
        snprintf(suffix, sizeof suffix, "%1d%1d%1d%1d",
                 (value >> 3) & 1, (value >> 2) & 1, (value >> 1) & 1, value & 1);
    return FormatPath(path, kBaseFormats[index % 4], g_installFolder, suffix);
}

static void DeleteOldDictionaries(void)
{
    for (int index = 0; index < OLD_DICTIONARY_PATHS; index++) {
        char path[MAX_PATH];
        if (OldDictionaryPath(index, path))
            DeleteUserFile(path);
    }
}

int ExtractCatalogue(unsigned char *buffer, HWND bar, int keepOld)
{
    for (const CatalogueEntry &entry : g_catalogue) {
        if (!(keepOld && entry.wordBase)) {
            int written = ExtractResource(entry.id, entry.fileName, buffer, INSTALL_BUFFER_BYTES,
                                          entry.readOnly, entry.hidden);
            if (!written && entry.required)
                return 0;
        }
        if (entry.progress)
            SetProgress(bar, entry.progress);
        if (entry.progress2)
            SetProgress(bar, entry.progress2);
    }
    return 1;
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

    // A damaged download is refused before anything is written or deleted; the failures
    // a check cannot foresee (a full disk, a file held open) are handled entry by entry.
    if (!VerifyPayload()) {
        free(buffer);
        return 0;
    }

    int keepOld = KeepOldWordBase();
    DeleteOldDictionaries();
    int result = ExtractCatalogue(buffer, bar, keepOld);
    if (result) {
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
    free(buffer);
    return result;
}
