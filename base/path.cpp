// Bounded path formatting for MAX_PATH buffers, and reading a path by its characters.
#include "path.h"
#include <stdarg.h>
#include <stdio.h>

int FormatPath(char *out, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    int n = vsnprintf(out, MAX_PATH, format, args);
    va_end(args);
    if (n < 0 || n >= MAX_PATH) {
        out[0] = '\0';
        return 0;
    }
    return 1;
}

// The kernel's lead-byte test names its code page, where the user interface's CharNextA
// knows only the system's: so one process can read paths of any code page, and the ground
// layer needs no DLL but kernel32.
static const char *NextChar(const char *p, UINT codePage)
{
    if (IsDBCSLeadByteEx(codePage, (BYTE)*p) && p[1] != '\0')
        return p + 2;
    return p + 1;
}

int LastCharAt(const char *path, UINT codePage)
{
    int last = -1;
    for (const char *p = path; *p; p = NextChar(p, codePage))
        last = (int)(p - path);
    return last;
}

int LastSeparatorAt(const char *path, UINT codePage)
{
    int last = -1;
    for (const char *p = path; *p; p = NextChar(p, codePage)) {
        if (*p == '\\')
            last = (int)(p - path);
    }
    return last;
}

// No lead byte is 0x5C, so a backslash found at the last character's start is that character.
int EndsWithSeparator(const char *path, UINT codePage)
{
    int last = LastCharAt(path, codePage);
    return last >= 0 && path[last] == '\\';
}

void RemoveTrailingSeparator(char *path, UINT codePage)
{
    if (EndsWithSeparator(path, codePage))
        path[LastCharAt(path, codePage)] = '\0';
}

const char *SeparatorFor(const char *folder, UINT codePage)
{
    return EndsWithSeparator(folder, codePage) ? "" : "\\";
}

int VolumeRoot(const char *path, char *root, UINT codePage)
{
    root[0] = '\0';
    char letter = path[0];
    if (((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z')) && path[1] == ':')
        return FormatPath(root, "%c:\\", letter);
    if (path[0] != '\\' || path[1] != '\\')
        return 0;
    // The share's name follows the server's and ends at the next backslash or with the path.
    const char *share = NULL;
    const char *p = path + 2;
    for (; *p; p = NextChar(p, codePage)) {
        if (*p != '\\')
            continue;
        if (share)
            break;
        share = p + 1;
    }
    if (!share || share == p)
        return 0;
    return FormatPath(root, "%.*s\\", (int)(p - path), path);
}
