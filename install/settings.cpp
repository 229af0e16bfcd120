// Records the display-check answer and the interface language in the installed appcfg.ini.
#include "settings.h"
#include "file_ops.h"
#include "../base/path.h"
#include "../base/state.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

// Lines are examined in pieces of at most 255 characters: a key split between two pieces
// is not seen, and such a line is left alone.
enum { LINE_BYTES = 256, ENTRY_BYTES = 32, MAX_REWRITES = 8 };

enum { KEY_BMP_FONT, KEY_LANGUAGE, KEY_COUNT };

static const char *const kKeys[KEY_COUNT] = { "UseBmpFont=", "ForceLanguage=" };
static const char *const kAppendForms[KEY_COUNT] = { "\nUseBmpFont=%s\n", "\nForceLanguage=%s\n" };

// A line whose length differs from its new entry: overwriting it in place would either
// run into the next line or leave old characters behind, so it is replaced afterwards.
struct Rewrite {
    long start;
    int key;
};

// What the scan has met so far and the lines it left for the rewrite.
struct SettingsScan {
    char entries[KEY_COUNT][ENTRY_BYTES];
    char values[KEY_COUNT][ENTRY_BYTES];
    int found[KEY_COUNT];
    int sectionSeen;
    Rewrite rewrites[MAX_REWRITES];
    int rewriteCount;
};

static void FormatEntries(SettingsScan *scan)
{
    snprintf(scan->values[KEY_BMP_FONT], ENTRY_BYTES, "%c", '0' + (g_displayOk ? 0 : 1));
    snprintf(scan->values[KEY_LANGUAGE], ENTRY_BYTES, "%d", g_interfaceLanguage);
    for (int key = 0; key < KEY_COUNT; key++)
        snprintf(scan->entries[key], ENTRY_BYTES, "%s%s", kKeys[key], scan->values[key]);
}

// Switching between reading and writing on an update stream needs a seek in between.
static void WriteInPlace(FILE *file, long start, long behind, const char *entry)
{
    fseek(file, start, SEEK_SET);
    fputs(entry, file);
    fseek(file, behind, SEEK_SET);
}

// Beyond MAX_REWRITES a line is left as it was: never damaged, only not updated.
static void RecordRewrite(SettingsScan *scan, long start, int key)
{
    if (scan->rewriteCount < MAX_REWRITES) {
        scan->rewrites[scan->rewriteCount].start = start;
        scan->rewrites[scan->rewriteCount].key = key;
        scan->rewriteCount++;
    }
}

// A piece that does not end its line is a full 255 characters: room for any entry.
static void UpdateKey(FILE *file, SettingsScan *scan, const char *piece, long start,
                      long behind, int endsLine, int key)
{
    size_t room = strcspn(piece, "\r\n");
    size_t length = strlen(scan->entries[key]);
    if (room == length || (room > length && !endsLine))
        WriteInPlace(file, start, behind, scan->entries[key]);
    else
        RecordRewrite(scan, start, key);
    scan->found[key] = 1;
}

// Examines one piece of at most 255 characters. 0 once the end of the file is reached.
static int ScanPiece(FILE *file, SettingsScan *scan)
{
    char piece[LINE_BYTES];
    long start = ftell(file);
    piece[0] = '\0';
    if (!fgets(piece, sizeof piece, file))
        return 0;
    int atEnd = feof(file) != 0;
    long behind = ftell(file);
    int endsLine = atEnd || strchr(piece, '\n') != NULL;
    if (strstr(piece, "[Config]"))
        scan->sectionSeen = 1;
    for (int key = 0; key < KEY_COUNT; key++) {
        if (strstr(piece, kKeys[key]))
            UpdateKey(file, scan, piece, start, behind, endsLine, key);
    }
    return !atEnd;
}

// The leading "\n" of each form starts a new line even after a last line without one.
static void AppendMissing(FILE *file, const SettingsScan *scan)
{
    fseek(file, 0, SEEK_END);
    if (!scan->sectionSeen)
        fputs("\n\n[Config]\n\n", file);
    for (int key = 0; key < KEY_COUNT; key++) {
        if (!scan->found[key])
            fprintf(file, kAppendForms[key], scan->values[key]);
    }
}

// Keys met before any "[Config]" line may end the scan mid-file; appending is then
// skipped so that nothing is written over the text that follows.
static void EditInPlace(FILE *file, SettingsScan *scan)
{
    while (!(scan->found[KEY_BMP_FONT] && scan->found[KEY_LANGUAGE]) && ScanPiece(file, scan))
        continue;
    if (!(scan->found[KEY_BMP_FONT] && scan->found[KEY_LANGUAGE]))
        AppendMissing(file, scan);
}

// The whole file in binary, or NULL. Its size goes to *size.
static char *ReadWholeFile(const char *path, long *size)
{
    FILE *file = fopen(path, "rb");
    if (!file)
        return NULL;
    fseek(file, 0, SEEK_END);
    *size = ftell(file);
    fseek(file, 0, SEEK_SET);
    char *bytes = *size >= 0 ? (char *)malloc((size_t)*size + 1) : NULL;
    if (bytes && fread(bytes, 1, (size_t)*size, file) != (size_t)*size) {
        free(bytes);
        bytes = NULL;
    }
    fclose(file);
    return bytes;
}

// Offset of the first CR or LF at or after from, or size: the same end UpdateKey measures.
static long LineEnd(const char *bytes, long size, long from)
{
    while (from < size && bytes[from] != '\r' && bytes[from] != '\n')
        from++;
    return from;
}

// Positions were recorded in file order, so one pass copies around every replaced line.
// Both keys on one line: each entry gets a line of its own, so neither is lost.
static void WriteRewritten(FILE *out, const SettingsScan *scan, const char *bytes, long size)
{
    long cursor = 0;
    for (int i = 0; i < scan->rewriteCount; i++) {
        const Rewrite &rewrite = scan->rewrites[i];
        if (i > 0 && rewrite.start == scan->rewrites[i - 1].start)
            fputs("\r\n", out);
        else if (rewrite.start >= cursor && rewrite.start <= size)
            fwrite(bytes + cursor, 1, (size_t)(rewrite.start - cursor), out);
        else
            continue;
        fputs(scan->entries[rewrite.key], out);
        cursor = LineEnd(bytes, size, rewrite.start);
    }
    fwrite(bytes + cursor, 1, (size_t)(size - cursor), out);
}

// Binary both ways, so the bytes outside the replaced lines come back unchanged.
static void ApplyRewrites(const char *path, const SettingsScan *scan)
{
    long size = 0;
    char *bytes = ReadWholeFile(path, &size);
    if (!bytes)
        return;
    FILE *out = fopen(path, "wb");
    if (out) {
        WriteRewritten(out, scan, bytes, size);
        fclose(out);
    }
    free(bytes);
}

static void ProtectFile(const char *path)
{
    DWORD attrs = GetFileAttributesA(path);
    if (attrs != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesA(path, attrs | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
}

int UpdateSettingsFile(void)
{
    char path[MAX_PATH];
    if (!FormatPath(path, "%s\\appcfg.ini", g_installFolder))
        return 1;
    ClearProtectAttrs(path, 1, 1);

    SettingsScan scan = {};
    FormatEntries(&scan);
    // Text mode, so every "\n" written reaches the file as CR LF.
    FILE *file = fopen(path, "r+");
    if (file) {
        // Unbuffered, so that ftell gives true offsets on lines ending in LF alone too:
        // the text-mode ftell of the runtime counts every buffered LF as CR LF.
        setvbuf(file, NULL, _IONBF, 0);
        EditInPlace(file, &scan);
        fclose(file);
        if (scan.rewriteCount > 0)
            ApplyRewrites(path, &scan);
    }
    ProtectFile(path);
    return 1;
}
