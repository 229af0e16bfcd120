// What an install cut off by a crash or a power loss left in the set-aside folder, settled
// by the next install into that folder before it looks at anything else.
#include "set_aside.h"
#include "file_ops.h"
#include "../base/path.h"
#include "../base/state.h"
#include <stdio.h>
#include <string.h>

// A damaged journal must never reach outside the install folder.
static int PlainName(const char *name)
{
    return name[0] && name[strcspn(name, "\\/:")] == '\0';
}

// A file not in the set-aside folder was never moved, or is back already. A file the
// install made is removed; one that stays is no loss, so only a file that cannot be put
// back counts.
static int SettleLine(int line, const char *text)
{
    char aside[MAX_PATH], target[MAX_PATH];
    const char *name = strchr(text, ' ');
    if (!name || !PlainName(++name) || !FormatPath(target, "%s\\%s", g_installFolder, name))
        return 1;
    if (strncmp(text, JOURNAL_NEW " ", sizeof JOURNAL_NEW) == 0) {
        RemoveWrittenFile(target);
        return 1;
    }
    if (!SetAsidePath(aside, line) || GetFileAttributesA(aside) == INVALID_FILE_ATTRIBUTES)
        return 1;
    return RestoreFile(aside, target);
}

// 1 when every file the journal set aside is back; otherwise 0 with the first one that is not.
static int PutBackJournal(FILE *journal, InstallProblem *problem)
{
    int all = 1;
    char text[MAX_PATH];
    for (int line = 0; fgets(text, sizeof text, journal); line++) {
        text[strcspn(text, "\r\n")] = '\0';
        if (!SettleLine(line, text) && all)
            all = Problem(problem, PROBLEM_IN_USE, strchr(text, ' ') + 1);
    }
    return all;
}

// Only the set-aside files' own names are removed, so anything else keeps the folder.
static void RemoveSetAsideFolder(const char *folder)
{
    char pattern[MAX_PATH], path[MAX_PATH];
    WIN32_FIND_DATAA found;
    HANDLE search = FormatPath(pattern, "%s\\*.old", folder) ? FindFirstFileA(pattern, &found)
                                                              : INVALID_HANDLE_VALUE;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (FormatPath(path, "%s\\%s", folder, found.cFileName))
                DeleteUserFile(path);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder);
}

int PutBackInterrupted(InstallProblem *problem)
{
    char folder[MAX_PATH], journalPath[MAX_PATH];
    if (!SetAsideFolder(folder) || !JournalPath(journalPath))
        return 1;
    DWORD attributes = GetFileAttributesA(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return 1;
    FILE *journal = fopen(journalPath, "rb");
    if (journal) {
        int all = PutBackJournal(journal, problem);
        fclose(journal);
        if (!all)
            return 0;
        if (!RemoveJournal())
            return Problem(problem, PROBLEM_IN_USE, journalPath);
    }
    RemoveSetAsideFolder(folder);
    return 1;
}
