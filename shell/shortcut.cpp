// Shortcut files through the shell-link object, and the Start-menu and desktop entries.
#include "shell.h"
#include "../base/path.h"
#include "../msgbox/message_box.h"
#include "../base/state.h"
#include <direct.h>
#include <io.h>
#include <objidl.h>
#include <shlobj.h>
#include <stdio.h>
#include <string.h>

int CreateShortcut(const char *targetPath, const char *shortcutPath, const char *description)
{
    if (FAILED(CoInitialize(NULL)))
        return 0;
    IShellLinkA *link = NULL;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  (void **)&link);
    if (SUCCEEDED(hr)) {
        hr = link->SetPath(targetPath);
        if (SUCCEEDED(hr)) {
            link->SetDescription(description);
            link->SetIconLocation(targetPath, 0);
            char folder[MAX_PATH];
            lstrcpynA(folder, targetPath, sizeof folder);
            int slash = LastSeparatorAt(folder, CP_ACP);
            if (slash >= 0) {
                folder[slash] = '\0';
                link->SetWorkingDirectory(folder);
            }
            IPersistFile *file = NULL;
            hr = link->QueryInterface(IID_IPersistFile, (void **)&file);
            if (SUCCEEDED(hr)) {
                WCHAR widePath[MAX_PATH];
                if (MultiByteToWideChar(CP_ACP, 0, shortcutPath, -1, widePath, MAX_PATH))
                    hr = file->Save(widePath, TRUE);
                else
                    hr = E_FAIL;
                file->Release();
            }
        }
        link->Release();
    }
    CoUninitialize();
    return SUCCEEDED(hr);
}

static int ResolveFolder(char *path, int csidl)
{
    return g_version3 ? GetLegacyFolder(path, csidl) : GetSpecialFolder(path, csidl);
}

static void ReportStartMenuFailure(void)
{
    BiMessageBox("无法在 Start 菜单中为本程序建立一个条目。很抱歉，只好请您以后自已建立了。",
                 "Failed to create an entry on Start Menu.", 0, g_hMainDlg);
}

int CreateStartMenuEntries(const char *folderName, const ShortcutEntry *entries, int csidl)
{
    char folder[MAX_PATH];
    if (!ResolveFolder(folder, csidl)) {
        ReportStartMenuFailure();
        return 0;
    }
    if (folderName && folderName[0]) {
        char base[MAX_PATH];
        lstrcpynA(base, folder, sizeof base);
        int fits = FormatPath(folder, "%s\\%s", base, folderName);
        if (!fits || (_access(folder, 0) != 0 && _mkdir(folder) != 0)) {
            char message[MAX_PATH + 32];
            snprintf(message, sizeof message, "无法建目录(%s)!", fits ? folder : folderName);
            BiMessageBox(message, "Cannot create folder!", 0, g_hMainDlg);
            return 0;
        }
    }
    // Every entry is tried; a missing one is reported even when a later one was made.
    int all = 1;
    for (const ShortcutEntry *entry = entries; entry->name; entry++) {
        char shortcut[MAX_PATH], target[MAX_PATH];
        int made = FormatPath(shortcut, "%s\\%s.lnk", folder, entry->name) &&
                   FormatPath(target, "%s\\%s", g_installFolder, entry->target) &&
                   CreateShortcut(target, shortcut, entry->name);
        all = all && made;
    }
    if (!all) {
        ReportStartMenuFailure();
        return 0;
    }
    return 1;
}

void CreateDesktopShortcut(const char *target, const char *name)
{
    char targetPath[MAX_PATH], desktop[MAX_PATH], shortcut[MAX_PATH];
    if (!FormatPath(targetPath, "%s\\%s", g_installFolder, target) || !ResolveFolder(desktop, CSIDL_DESKTOP))
        return;
    // A name that does not fit is skipped, never cut into some other name.
    char leaf[100];
    int n = snprintf(leaf, sizeof leaf, "\\%s.lnk", name);
    if (n < 0 || n >= (int)sizeof leaf || !FormatPath(shortcut, "%s%s", desktop, leaf))
        return;
    CreateShortcut(targetPath, shortcut, name);
}
