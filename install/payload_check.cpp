// The payload checked against the CRC-32 table stored beside it at build time.
#include "payload_check.h"
#include "catalogue.h"
#include "../base/state.h"
#include "../resources/resource.h"
#include <zlib.h>

enum { CHECK_ENTRY_BYTES = 8 };

static const unsigned char *FindItem(const char *type, int id, DWORD *size)
{
    *size = 0;
    HRSRC found = FindResourceA(g_hInstance, MAKEINTRESOURCEA(id & 0xFFFF), type);
    if (!found)
        return NULL;
    HGLOBAL loaded = LoadResource(g_hInstance, found);
    const unsigned char *bytes = loaded ? (const unsigned char *)LockResource(loaded) : NULL;
    if (bytes)
        *size = SizeofResource(g_hInstance, found);
    return bytes;
}

// The table is little-endian on every build, whatever the host that made it.
static unsigned long ReadWord(const unsigned char *p)
{
    return (unsigned long)p[0] | ((unsigned long)p[1] << 8) | ((unsigned long)p[2] << 16) |
           ((unsigned long)p[3] << 24);
}

// 1 with the stored CRC in *crc when the table lists id.
static int LookUpCrc(const unsigned char *table, DWORD entries, int id, unsigned long *crc)
{
    for (DWORD i = 0; i < entries; i++) {
        const unsigned char *entry = table + i * CHECK_ENTRY_BYTES;
        if (ReadWord(entry) == (unsigned long)(id & 0xFFFF)) {
            *crc = ReadWord(entry + 4);
            return 1;
        }
    }
    return 0;
}

int VerifyItems(const int *ids, int count)
{
    DWORD tableSize = 0;
    const unsigned char *table = FindItem(RT_PAYLOAD_CHECKS, IDR_PAYLOAD_CHECKS, &tableSize);
    if (!table)
        return 0;
    DWORD entries = tableSize / CHECK_ENTRY_BYTES;
    for (int i = 0; i < count; i++) {
        unsigned long expected = 0;
        DWORD size = 0;
        const unsigned char *item = FindItem(RT_PAYLOAD, ids[i], &size);
        if (!item || !LookUpCrc(table, entries, ids[i], &expected))
            return 0;
        if (crc32(crc32(0L, Z_NULL, 0), item, size) != expected)
            return 0;
    }
    return 1;
}

int VerifyPayload(void)
{
    // The program's own image cannot change while it runs: one good check serves the run.
    static int ownImageVerified;
    int ownImage = g_hInstance == GetModuleHandleA(NULL);
    if (ownImage && ownImageVerified)
        return 1;
    int ids[CATALOGUE_ENTRIES];
    for (int i = 0; i < CATALOGUE_ENTRIES; i++)
        ids[i] = g_catalogue[i].id;
    int intact = VerifyItems(ids, CATALOGUE_ENTRIES);
    if (ownImage && intact)
        ownImageVerified = 1;
    return intact;
}
