// What start-up learns about the system: platform, Chinese variant, folders.
#include "environment.h"
#include "../base/path.h"
#include "../base/state.h"
#include <string.h>

int IsDbcsCodePage(void)
{
    CPINFO info;
    if (!GetCPInfo(CP_ACP, &info))
        return 0;
    return info.MaxCharSize > 1;
}

int ChineseVariantFromLanguage(LANGID language, int dbcs)
{
    if (!dbcs || (language & 0x3FF) != LANG_CHINESE)
        return 0;
    // Sub-languages 1, 3, 5 (Taiwan, Hong Kong, Macau) write Traditional characters.
    return (language & 0x400) ? 2 : 1;
}

void WizardFolderFromModulePath(const char *modulePath, UINT codePage, char *folder)
{
    size_t length = (size_t)(LastSeparatorAt(modulePath, codePage) + 1);
    if (length == 0 || length >= MAX_PATH) {
        strcpy(folder, "A:\\");
        return;
    }
    memcpy(folder, modulePath, length);
    folder[length] = '\0';
}

void DetectEnvironment(void)
{
    OSVERSIONINFOA version;
    memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    if (GetVersionExA(&version)) {
        g_ntPlatform = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
        g_version3 = version.dwMajorVersion == 3;
    }

    g_chineseVariant = ChineseVariantFromLanguage(GetSystemDefaultLangID(), IsDbcsCodePage());

    char modulePath[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, modulePath, sizeof modulePath);
    if (length >= sizeof modulePath)
        length = 0;
    modulePath[length] = '\0';
    WizardFolderFromModulePath(modulePath, CP_ACP, g_wizardFolder);
}

void ReadWindowsFolder(void)
{
    UINT length = GetWindowsDirectoryA(g_windowsFolder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH - 1) {
        g_windowsFolder[0] = '\0';
        return;
    }
    strcat(g_windowsFolder, SeparatorFor(g_windowsFolder, CP_ACP));
}
