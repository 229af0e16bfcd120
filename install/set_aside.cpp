// Moving the files an install replaces or deletes aside, and putting them back or discarding
// them at its end.
#include "set_aside.h"
#include "file_ops.h"
#include "../base/path.h"
#include "../base/state.h"
#include <stdio.h>
#include <string.h>

// Bits a file written over in place keeps and a new file would not have.
static const DWORD CARRIED_ATTRIBUTES = FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_TEMPORARY |
                                        FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The install's names are ASCII, so folding ASCII letters alone matches them as a case-blind
// file system does, and a double-byte name can never match one.
static int SameName(const char *a, const char *b)
{
    for (; *a && *b; a++, b++) {
        char x = *a >= 'A' && *a <= 'Z' ? (char)(*a + 32) : *a;
        char y = *b >= 'A' && *b <= 'Z' ? (char)(*b + 32) : *b;
        if (x != y)
            return 0;
    }
    return *a == *b;
}

static int AddLine(SetAsideList *list, const char *name, DWORD attributes, int isNew)
{
    int line = list->lines++;
    snprintf(list->found[line], ASIDE_NAME_BYTES, "%s", name);
    list->attributes[line] = attributes;
    list->isNew[line] = isNew;
    return line;
}

// A file of the folder that the install will replace or delete gets the next journal line,
// under the first name that matches; later names of the same file are marked, since the
// first one moves it away before they are written.
static void NoteExisting(SetAsideList *list, const WIN32_FIND_DATAA *found)
{
    if (strlen(found->cFileName) >= ASIDE_NAME_BYTES)
        return;
    int line = NO_FILE;
    for (int index = 0; index < INSTALL_NAMES; index++) {
        const char *name = list->names->name[index];
        if (!name || list->line[index] != NO_FILE || !SameName(name, found->cFileName))
            continue;
        if (line == NO_FILE)
            line = list->line[index] = AddLine(list, found->cFileName, found->dwFileAttributes, 0);
        else
            list->line[index] = SET_ASIDE_EARLIER;
    }
}

// The files the install will make where there was none, so that a cut-off install's can
// be removed too. A fresh install sets nothing aside and needs no journal at all.
static void NoteNewFiles(SetAsideList *list)
{
    if (list->lines == 0)
        return;
    for (int index = 0; index < INSTALL_NAMES; index++) {
        const char *name = list->names->name[index];
        if (name && EntryOfName(index) && list->line[index] == NO_FILE)
            AddLine(list, name, 0, 1);
    }
}

// One look through the folder instead of one per name: a fresh install costs nothing more.
int PlanSetAside(SetAsideList *list, const InstallNames *names)
{
    list->names = names;
    list->lines = 0;
    for (int index = 0; index < INSTALL_NAMES; index++) {
        list->line[index] = NO_FILE;
        list->done[index] = NAME_UNTOUCHED;
    }
    char pattern[MAX_PATH];
    if (!FormatPath(pattern, "%s\\*", g_installFolder))
        return 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                NoteExisting(list, &found);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    NoteNewFiles(list);
    return list->lines == 0 || WriteJournal(list);
}

const char *NameInFolder(const SetAsideList *list, int index)
{
    return list->done[index] == NAME_SET_ASIDE ? list->found[list->line[index]] : list->names->name[index];
}

// A name without a file becomes the install's only when the install writes there: a deletion
// of nothing leaves nothing to remove.
int SetAside(SetAsideList *list, int index)
{
    int line = list->line[index];
    if (line < 0) {
        list->done[index] = EntryOfName(index) ? NAME_NEW : NAME_UNTOUCHED;
        return 1;
    }
    char from[MAX_PATH], to[MAX_PATH];
    if (!FormatPath(from, "%s\\%s", g_installFolder, list->found[line]) || !SetAsidePath(to, line) ||
        !MoveFileA(from, to))
        return 0;
    list->done[index] = NAME_SET_ASIDE;
    return 1;
}

void CarryOverAttributes(const SetAsideList *list, int index)
{
    if (list->done[index] != NAME_SET_ASIDE)
        return;
    DWORD carried = list->attributes[list->line[index]] & CARRIED_ATTRIBUTES;
    char path[MAX_PATH];
    if (!carried || !FormatPath(path, "%s\\%s", g_installFolder, NameInFolder(list, index)))
        return;
    DWORD now = GetFileAttributesA(path);
    if (now != INVALID_FILE_ATTRIBUTES && (now & carried) != carried)
        SetFileAttributesA(path, now | carried);
}

void RemoveWrittenFile(const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        DeleteUserFile(path);
}

int RestoreFile(const char *aside, const char *target)
{
    RemoveWrittenFile(target);
    return MoveFileA(aside, target);
}

int PutBack(SetAsideList *list, int index)
{
    int done = list->done[index];
    char path[MAX_PATH], aside[MAX_PATH];
    if (done == NAME_UNTOUCHED || !FormatPath(path, "%s\\%s", g_installFolder, NameInFolder(list, index)))
        return done == NAME_UNTOUCHED;
    if (done == NAME_NEW) {
        RemoveWrittenFile(path);
    } else if (!SetAsidePath(aside, list->line[index]) || !RestoreFile(aside, path)) {
        return 0;
    }
    list->done[index] = NAME_UNTOUCHED;
    return 1;
}

int PutBackAll(SetAsideList *list)
{
    int all = 1;
    for (int index = INSTALL_NAMES - 1; index >= 0; index--)
        all = PutBack(list, index) && all;
    char folder[MAX_PATH];
    if (all && list->lines > 0 && RemoveJournal() && SetAsideFolder(folder))
        RemoveDirectoryA(folder);
    return all;
}

// Without the journal a later install keeps the new files whatever is left here; while it
// cannot be removed, the old files stay where such an install can still put them back.
void DiscardSetAside(SetAsideList *list)
{
    char path[MAX_PATH];
    if (list->lines == 0 || !RemoveJournal())
        return;
    for (int line = 0; line < list->lines; line++) {
        if (SetAsidePath(path, line))
            DeleteUserFile(path);
    }
    if (SetAsideFolder(path))
        RemoveDirectoryA(path);
}
