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
        if (attrs != INVALID_FILE_ATTRIBUTES)
            SetFileAttributesA(path, attrs & ~(DWORD)(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    }

    FILE *file = fopen(path, "wb");
    if (!file)
        return 0;
    size_t written = fwrite(bytes, 1, count, file);
    // The last buffered bytes can fail to reach the disk: count that as a short write. The
    // flush is checked on its own, since some runtimes' fclose forgets a failed flush. A
    // cut-off file (a full disk) must not stay behind, since an optional entry's failure
    // still ends in the success message.
    int flushed = fflush(file) == 0 && !ferror(file);
    if (fclose(file) != 0 || !flushed || written != count) {
        remove(path);
        return 0;
    }

    if (!readOnly && !hidden)
        return 1;
    // A failed read gives all bits set, which is no attribute word to write back.
    DWORD attrs = GetFileAttributesA(path);
    if (attrs == INVALID_FILE_ATTRIBUTES)
        return 1;
    if (readOnly)
        attrs |= FILE_ATTRIBUTE_READONLY;
    if (hidden)
        attrs |= FILE_ATTRIBUTE_HIDDEN;
    SetFileAttributesA(path, attrs);
    return 1;
}
