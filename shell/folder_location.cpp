// Where the Start menu's Programs folder and the desktop are.
#include "shell.h"
#include "../base/path.h"
#include "../base/state.h"
#include <shlobj.h>
#include <string.h>

int GetSpecialFolder(char *path, int csidl)
{
    IMalloc *allocator = NULL;
    if (FAILED(SHGetMalloc(&allocator)))
        return 0;
    int found = 0;
    LPITEMIDLIST items = NULL;
    if (SUCCEEDED(SHGetSpecialFolderLocation(NULL, csidl, &items))) {
        found = SHGetPathFromIDListA(items, path) != 0;
        allocator->Free(items);
    }
    allocator->Release();
    return found;
}

// Appends text when it fits the MAX_PATH buffer; 0 when it does not.
static int Append(char *path, const char *text)
{
    if (strlen(path) + strlen(text) >= MAX_PATH)
        return 0;
    strcat(path, text);
    return 1;
}

int GetLegacyFolder(char *path, int csidl)
{
    UINT length = GetWindowsDirectoryA(path, MAX_PATH);
    char user[256];
    DWORD userLength = sizeof user;
    if (g_ntPlatform && !GetUserNameA(user, &userLength))
        return 0;
    if (length == 0 || length >= MAX_PATH)
        return 0;
    if (!Append(path, SeparatorFor(path, CP_ACP)))
        return 0;
    if (g_ntPlatform && !(Append(path, "profiles\\") && Append(path, user) && Append(path, "\\")))
        return 0;
    if (csidl == CSIDL_PROGRAMS)
        return Append(path, "start menu\\programs");
    if (csidl == CSIDL_DESKTOP)
        return Append(path, "Desktop");
    return 1;
}
