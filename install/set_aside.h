// Files the install replaces or deletes are first moved aside into a folder of their own in
// the install folder (a rename on the same volume, never a copy), then put back when the
// install fails or discarded when it succeeds. A journal, written and flushed before the
// first move, names them, so that an install cut off by a crash or a power loss leaves every
// file either in its place or in that folder, and the next install puts it back.
#pragma once
#include "install_names.h"
#include "problem.h"
#include <windows.h>

enum { ASIDE_NAME_BYTES = 40 };

// What the install did at one name so far.
enum { NAME_UNTOUCHED, NAME_NEW, NAME_SET_ASIDE };

// A name's line: -1 when the folder has no file of that name, -2 when an earlier name set
// the same file aside (a case-blind file system holds one file for "Charlist.dic" and
// "charlist.dic").
enum { NO_FILE = -1, SET_ASIDE_EARLIER = -2 };

struct SetAsideList {
    const InstallNames *names;
    int line[INSTALL_NAMES];                        // per name: its journal line, or the above
    int done[INSTALL_NAMES];                        // per name: NAME_UNTOUCHED, _NEW, _SET_ASIDE
    char found[INSTALL_NAMES][ASIDE_NAME_BYTES];    // per line: the name as the folder spells it
    DWORD attributes[INSTALL_NAMES];                // per line: the file's attributes then
    int isNew[INSTALL_NAMES];                       // per line: 1 for a file the install makes
    int lines;
};

// Finds which of the names have a file in the install folder and, when any has, writes the
// journal, which also names the files the install will make; nothing is moved yet. 0 when
// the journal cannot be written.
int PlanSetAside(SetAsideList *list, const InstallNames *names);

// Frees name index for the install: the file the plan found there is moved aside. 1 when the
// name is free, 0 when that file could not be moved.
int SetAside(SetAsideList *list, int index);

// The name index is written under: an old file's own spelling, so a replacement keeps it.
const char *NameInFolder(const SetAsideList *list, int index);

// After a replacement was written: the old file's attribute bits other than the protective
// ones pass to it, as they do when a file is written over in place.
void CarryOverAttributes(const SetAsideList *list, int index);

// Undoes what the install did at name index: what it wrote goes, the old file comes back.
// 1 when nothing of the name is left aside.
int PutBack(SetAsideList *list, int index);

// Puts back every name, last first. 1 when every file is back and the set-aside folder gone;
// otherwise the journal stays for the next install.
int PutBackAll(SetAsideList *list);

// After success: the journal goes first, then the old files.
void DiscardSetAside(SetAsideList *list);

// Removes what the install wrote at path; a folder standing there was never the install's.
void RemoveWrittenFile(const char *path);

// Moves an old file from aside back to target, replacing what the install wrote there.
int RestoreFile(const char *aside, const char *target);

// The set-aside folder, a file in it by journal line, the journal: in the install folder.
int SetAsideFolder(char *path);
int SetAsidePath(char *path, int line);
int JournalPath(char *path);

// How a journal line starts: a file set aside, or a file the install makes.
#define JOURNAL_OLD "old"
#define JOURNAL_NEW "new"

int WriteJournal(const SetAsideList *list);
// 1 when no journal is left, so that no later install puts anything back.
int RemoveJournal(void);

// Leftovers of an install that was cut off: while its journal is there, every file it set
// aside is put back and every file it made is removed; after that, or without a journal (the
// install had finished), the set-aside folder is emptied and removed. 1 when nothing is left; 0 with the file that could not be
// put back in problem.
int PutBackInterrupted(InstallProblem *problem);
