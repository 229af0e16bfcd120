// Records the display-check answer and the interface language in the installed appcfg.ini.
#include "settings.h"
#include "file_ops.h"
#include "../base/path.h"
#include "../base/state.h"
#include <stdio.h>
#include <string.h>

// Lines are examined in pieces of at most 255 characters: a key split between two pieces is
// not seen, and such a line is left alone. A value is measured to its line end, however long
// the line.
enum { LINE_BYTES = 256, ENTRY_BYTES = 32, MAX_REWRITES = 8 };

enum { KEY_BMP_FONT, KEY_LANGUAGE, KEY_COUNT };

static const char *const kKeys[KEY_COUNT] = { "UseBmpFont=", "ForceLanguage=" };
static const char *const kAppendForms[KEY_COUNT] = { "\nUseBmpFont=%s\n", "\nForceLanguage=%s\n" };

// A line too short for its new value, or holding both keys: overwriting it in place would
// run into the next line or lose one answer, so it is replaced afterwards from its first
// key on; what comes before that key stays.
struct Rewrite {
    long start;     // where the first key of the line starts in the file
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
// Spaces fill the rest of a longer old value, so the file never becomes shorter and no
// old character is left to read as part of the value.
static void WriteInPlace(FILE *file, long start, long behind, const char *value, size_t width)
{
    fseek(file, start, SEEK_SET);
    fprintf(file, "%-*s", (int)width, value);
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

// One piece of a line as read, and where it lies in the file.
struct Piece {
    char text[LINE_BYTES];
    long start;
};

// Where the first key of each kind starts on one line and where its value ends (the first
// CR or LF behind it, or the end of the file), as file offsets; -1 for none yet.
struct LineKeys {
    long key[KEY_COUNT];
    long valueEnd[KEY_COUNT];
};

// Text mode shortens only a CR LF, and a piece holds no line end before its keys and their
// values, so their place in the piece is their place in the file.
static long OffsetOf(const Piece *piece, const char *at)
{
    return piece->start + (long)(at - piece->text);
}

// A key is seen only whole inside one piece; its value may run on into the next pieces.
static void NoteKeys(const Piece *piece, LineKeys *line)
{
    for (int key = 0; key < KEY_COUNT; key++) {
        const char *at = line->key[key] < 0 ? strstr(piece->text, kKeys[key]) : NULL;
        if (at)
            line->key[key] = OffsetOf(piece, at);
        if (line->key[key] < 0 || line->valueEnd[key] >= 0)
            continue;
        long valueStart = line->key[key] + (long)strlen(kKeys[key]);
        const char *from = piece->text + (valueStart > piece->start ? valueStart - piece->start : 0);
        size_t run = strcspn(from, "\r\n");
        if (from[run])
            line->valueEnd[key] = OffsetOf(piece, from + run);
    }
}

// The value goes where the old one starts, so nothing before it on the line changes, and
// replaces the old one up to its line end. A value that does not fit, and a line holding
// both keys, are rewritten afterwards from the line's first key.
static void UpdateLine(FILE *file, SettingsScan *scan, const LineKeys *line, long behind)
{
    int bothKeys = line->key[KEY_BMP_FONT] >= 0 && line->key[KEY_LANGUAGE] >= 0;
    long first = bothKeys && line->key[KEY_LANGUAGE] < line->key[KEY_BMP_FONT] ? line->key[KEY_LANGUAGE]
                                                                              : line->key[KEY_BMP_FONT];
    for (int key = 0; key < KEY_COUNT; key++) {
        if (line->key[key] < 0)
            continue;
        long value = line->key[key] + (long)strlen(kKeys[key]);
        long room = line->valueEnd[key] - value;
        if (room >= (long)strlen(scan->values[key]) && !bothKeys)
            WriteInPlace(file, value, behind, scan->values[key], (size_t)room);
        else
            RecordRewrite(scan, bothKeys ? first : line->key[key], key);
        scan->found[key] = 1;
    }
}

// Examines one line of any length, read in pieces of at most 255 characters: the whole
// line is read before anything is written, so a piece that ends just before its line end
// is measured like any other. 0 once the end of the file is reached.
static int ScanLine(FILE *file, SettingsScan *scan)
{
    LineKeys line = { { -1, -1 }, { -1, -1 } };
    Piece piece;
    int atEnd = 0;
    for (;;) {
        piece.start = ftell(file);
        piece.text[0] = '\0';
        if (!fgets(piece.text, sizeof piece.text, file)) {
            atEnd = 1;
            break;
        }
        if (strstr(piece.text, "[Config]"))
            scan->sectionSeen = 1;
        NoteKeys(&piece, &line);
        atEnd = feof(file) != 0;
        if (atEnd || strchr(piece.text, '\n'))
            break;
    }
    long behind = ftell(file);
    for (int key = 0; key < KEY_COUNT; key++) {
        if (line.key[key] >= 0 && line.valueEnd[key] < 0)
            line.valueEnd[key] = behind;
    }
    UpdateLine(file, scan, &line, behind);
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
    while (!(scan->found[KEY_BMP_FONT] && scan->found[KEY_LANGUAGE]) && ScanLine(file, scan))
        continue;
    if (!(scan->found[KEY_BMP_FONT] && scan->found[KEY_LANGUAGE]))
        AppendMissing(file, scan);
}

// Copies count bytes; 0 when the source ends early or a write fails.
static int CopyBytes(FILE *in, FILE *out, long count)
{
    char chunk[4096];
    while (count > 0) {
        size_t want = count < (long)sizeof chunk ? (size_t)count : sizeof chunk;
        size_t got = fread(chunk, 1, want, in);
        if (got != want || fwrite(chunk, 1, got, out) != got)
            return 0;
        count -= (long)got;
    }
    return 1;
}

// Skips to the first CR or LF (left unread) or the end: the same end UpdateKey measures.
static long SkipToLineEnd(FILE *in, long position)
{
    int c;
    while ((c = getc(in)) != EOF && c != '\r' && c != '\n')
        position++;
    if (c != EOF)
        ungetc(c, in);
    return position;
}

// Positions were recorded in file order, so one pass copies around every replaced line end.
// Both keys on one line: each entry gets a line of its own, so neither is lost. Spaces
// fill a replacement that is shorter than the old line: the file never becomes shorter.
// 1 when every byte was read and written.
static int CopyRewritten(FILE *in, FILE *out, const SettingsScan *scan)
{
    long cursor = 0;
    long oldLength = 0, newLength = 0;
    for (int i = 0; i < scan->rewriteCount; i++) {
        const Rewrite &rewrite = scan->rewrites[i];
        if (i > 0 && rewrite.start == scan->rewrites[i - 1].start) {
            if (fputs("\r\n", out) == EOF)
                return 0;
            newLength += 2;
        } else if (rewrite.start >= cursor) {
            if (!CopyBytes(in, out, rewrite.start - cursor))
                return 0;
            cursor = SkipToLineEnd(in, rewrite.start);
            oldLength = cursor - rewrite.start;
            newLength = 0;
        } else {
            continue;
        }
        if (fputs(scan->entries[rewrite.key], out) == EOF)
            return 0;
        newLength += (long)strlen(scan->entries[rewrite.key]);
        int lastOfLine = i + 1 == scan->rewriteCount || scan->rewrites[i + 1].start != rewrite.start;
        if (lastOfLine && newLength < oldLength &&
            fprintf(out, "%*s", (int)(oldLength - newLength), "") < 0)
            return 0;
    }
    int c;
    while ((c = getc(in)) != EOF) {
        if (putc(c, out) == EOF)
            return 0;
    }
    return !ferror(in);
}

typedef BOOL(WINAPI *MoveFileExProc)(LPCSTR, LPCSTR, DWORD);

// The replacing move of the NT line, looked up so that systems without it still load us.
static MoveFileExProc ReplacingMove(void)
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    return kernel ? (MoveFileExProc)(void (*)(void))GetProcAddress(kernel, "MoveFileExA") : NULL;
}

// The old file gives way only to a complete new one. The non-NT line has no replacing
// move: there the old file is set aside first and put back when the new one cannot
// take its name.
static int ReplaceWith(const char *path, const char *fresh)
{
    MoveFileExProc moveEx = ReplacingMove();
    if (moveEx) {
        if (moveEx(fresh, path, MOVEFILE_REPLACE_EXISTING))
            return 1;
        if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
            return 0;
    }
    char aside[MAX_PATH];
    if (!FormatPath(aside, "%s.old", path))
        return 0;
    DeleteUserFile(aside);
    if (!MoveFileA(path, aside))
        return 0;
    if (!MoveFileA(fresh, path)) {
        MoveFileA(aside, path);
        return 0;
    }
    DeleteUserFile(aside);
    return 1;
}

// Binary both ways, so the bytes outside the replaced lines come back unchanged. The new
// contents are written beside the file; on any failure the file stays as it was.
static void ApplyRewrites(const char *path, const SettingsScan *scan)
{
    char fresh[MAX_PATH];
    if (!FormatPath(fresh, "%s.new", path))
        return;
    DeleteUserFile(fresh);
    FILE *in = fopen(path, "rb");
    if (!in)
        return;
    FILE *out = fopen(fresh, "wb");
    int complete = out && CopyRewritten(in, out, scan);
    fclose(in);
    // The flush is checked on its own, since some runtimes' fclose forgets a failed flush.
    if (out) {
        complete = fflush(out) == 0 && !ferror(out) && complete;
        complete = fclose(out) == 0 && complete;
    }
    // The new file takes over the old one's other attribute bits.
    DWORD attrs = GetFileAttributesA(path);
    if (complete && attrs != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesA(fresh, attrs);
    if (!complete || !ReplaceWith(path, fresh))
        remove(fresh);
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
