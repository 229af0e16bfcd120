// Payload item to file: find, inflate whole into the caller's buffer, write once.
#include "file_ops.h"
#include "../base/path.h"
#include "../base/payload_item.h"
#include "../base/state.h"
#include <io.h>
#include <stdio.h>
#include <zlib.h>

int ExtractResource(int id, const char *fileName, unsigned char *buffer, DWORD capacity,
                    int readOnly, int hidden)
{
    DWORD length = capacity;
    if (InflateItem(id, buffer, &length) != Z_OK)
        return 0;
    return WriteFileWithAttrs(fileName, buffer, length, readOnly, hidden);
}

int WriteFileWithAttrs(const char *fileName, const unsigned char *bytes, DWORD count,
                       int readOnly, int hidden)
{
    char path[MAX_PATH];
    if (!FormatPath(path, "%s\\%s", g_installFolder, fileName))
        return 0;

    if (_access(path, 0) == 0) {
        DWORD attrs = GetFileAttributesA(path);
        SetFileAttributesA(path, attrs & ~(DWORD)(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    }

    FILE *file = fopen(path, "wb");
    if (!file)
        return 0;
    size_t written = fwrite(bytes, 1, count, file);
    // A failed close can lose buffered bytes: count it as a short write.
    if (fclose(file) != 0 || written != count)
        return 0;

    if (!readOnly && !hidden)
        return 1;
    DWORD attrs = GetFileAttributesA(path);
    if (readOnly)
        attrs |= FILE_ATTRIBUTE_READONLY;
    if (hidden)
        attrs |= FILE_ATTRIBUTE_HIDDEN;
    SetFileAttributesA(path, attrs);
    return 1;
}
