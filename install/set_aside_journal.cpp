// Where set-aside files go, and the journal that names them on the disk.
#include "set_aside.h"
#include "../base/path.h"
#include "../base/state.h"
#include <stdio.h>

// Short names, so that a path that fits a catalogue file also fits a set-aside one.
static const char kFolderName[] = "~pdsetup";
static const char kJournalName[] = "putback.lst";

int SetAsideFolder(char *path)
{
    return FormatPath(path, "%s\\%s", g_installFolder, kFolderName);
}

// The journal's line number is the file's name there.
int SetAsidePath(char *path, int line)
{
    return FormatPath(path, "%s\\%s\\%03d.old", g_installFolder, kFolderName, line);
}

int JournalPath(char *path)
{
    return FormatPath(path, "%s\\%s\\%s", g_installFolder, kFolderName, kJournalName);
}

// One line a file, in the install's order: "old NAME" for a file set aside as line number
// NNN.old, "new NAME" for a file the install makes where there was none.
static int WriteLines(HANDLE file, const SetAsideList *list)
{
    for (int line = 0; line < list->lines; line++) {
        char text[ASIDE_NAME_BYTES + 8];
        int length = snprintf(text, sizeof text, "%s %s\r\n", list->isNew[line] ? JOURNAL_NEW : JOURNAL_OLD,
                              list->found[line]);
        DWORD written = 0;
        if (length <= 0 || length >= (int)sizeof text || !WriteFile(file, text, (DWORD)length, &written, NULL) ||
            written != (DWORD)length)
            return 0;
    }
    return 1;
}

// Whole and flushed to the disk before the first file moves: a journal that names a file
// not yet moved costs nothing, a moved file that no journal names would be lost to the user.
int WriteJournal(const SetAsideList *list)
{
    char folder[MAX_PATH], path[MAX_PATH];
    if (!SetAsideFolder(folder) || !JournalPath(path))
        return 0;
    if (!CreateDirectoryA(folder, NULL) && GetLastError() != ERROR_ALREADY_EXISTS)
        return 0;
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    int written = file != INVALID_HANDLE_VALUE && WriteLines(file, list) && FlushFileBuffers(file);
    if (file != INVALID_HANDLE_VALUE)
        written = CloseHandle(file) && written;
    if (!written) {
        DeleteFileA(path);
        RemoveDirectoryA(folder);
    }
    return written;
}

int RemoveJournal(void)
{
    char path[MAX_PATH];
    if (!JournalPath(path))
        return 0;
    return DeleteFileA(path) || GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
}
