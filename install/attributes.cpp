// Clearing the protective attributes of a file before it is replaced or deleted.
#include "file_ops.h"
#include <stdio.h>

int ClearProtectAttrs(const char *path, int removeReadOnly, int removeHidden)
{
    DWORD attrs = GetFileAttributesA(path);
    if (attrs == INVALID_FILE_ATTRIBUTES)
        return 0;
    int changed = 0;
    if (removeReadOnly && (attrs & FILE_ATTRIBUTE_READONLY)) {
        attrs &= ~(DWORD)FILE_ATTRIBUTE_READONLY;
        changed = 1;
    }
    if (removeHidden && (attrs & FILE_ATTRIBUTE_HIDDEN)) {
        attrs &= ~(DWORD)FILE_ATTRIBUTE_HIDDEN;
        changed = 1;
    }
    if (changed)
        SetFileAttributesA(path, attrs);
    return changed;
}

int DeleteUserFile(const char *path)
{
    ClearProtectAttrs(path, 1, 1);
    return remove(path);
}
