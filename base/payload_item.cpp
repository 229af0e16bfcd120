// One-shot inflation of a compressed "TEXT" item of the installer's own resources.
#include "payload_item.h"
#include "../resources/resource.h"
#include "state.h"
#include <zlib.h>

int InflateItem(int id, unsigned char *buffer, DWORD *length)
{
    // The language plays no part: items are found by type and ID alone.
    const Bytef *item = NULL;
    DWORD itemSize = 0;
    HRSRC found = FindResourceA(g_hInstance, MAKEINTRESOURCEA(id & 0xFFFF), RT_PAYLOAD);
    if (found) {
        HGLOBAL loaded = LoadResource(g_hInstance, found);
        item = loaded ? (const Bytef *)LockResource(loaded) : NULL;
        itemSize = item ? SizeofResource(g_hInstance, found) : 0;
    }
    uLongf produced = *length;
    int result = item ? uncompress(buffer, &produced, item, itemSize) : Z_STREAM_ERROR;
    *length = result == Z_OK ? (DWORD)produced : 0;
    return result;
}
