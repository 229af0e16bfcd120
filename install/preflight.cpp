// The checks an install passes before it changes anything: files it must take, the room it
// needs, and a folder that takes new files.
#include "preflight.h"
#include "install_names.h"
#include "volume_space.h"
#include "../base/path.h"
#include "../base/state.h"

// The set-aside folder, its journal, the settings file's rewrite and the growing directory.
enum { SPARE_CLUSTERS = 8 };

// The install moves an existing file aside, which another program's open handle stops: the
// check opens it exclusively. A file that is not read-only must also take writing, or the
// user may not change it; a read-only one is only moved, which its protection does not stop.
// Optional entries are not looked at: the install passes over them when they fail.
static int CheckTarget(const InstallNames *names, int index, InstallProblem *problem)
{
    const CatalogueEntry *entry = EntryOfName(index);
    if (entry && !entry->required)
        return 1;
    const char *name = names->name[index];
    char path[MAX_PATH];
    if (!FormatPath(path, "%s\\%s", g_installFolder, name))
        return Problem(problem, PROBLEM_IN_USE, name);
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return 1;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return entry ? Problem(problem, PROBLEM_FOLDER_IN_THE_WAY, name) : 1;
    DWORD access = GENERIC_READ | ((attributes & FILE_ATTRIBUTE_READONLY) ? 0 : GENERIC_WRITE);
    HANDLE file = CreateFileA(path, access, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return Problem(problem, PROBLEM_IN_USE, name);
    CloseHandle(file);
    return 1;
}

// Every file written takes whole clusters. The old files stay, set aside, until the last new
// one is written, so what they hold is no room for the new ones. Where the system cannot say
// how full the volume is, there is nothing to check against: the install then finds out
// entry by entry, and puts everything back if it must.
static int CheckRoom(const InstallNames *names, InstallProblem *problem)
{
    ULONGLONG freeBytes = 0;
    DWORD cluster = 0;
    if (!VolumeSpace(g_installFolder, &freeBytes, &cluster))
        return 1;
    ULONGLONG needed = (ULONGLONG)SPARE_CLUSTERS * cluster;
    for (int i = 0; i < CATALOGUE_ENTRIES; i++) {
        if (names->name[OLD_DICTIONARY_PATHS + i])
            needed += (g_catalogue[i].bytes + cluster - 1) / cluster * cluster;
    }
    if (needed <= freeBytes)
        return 1;
    Problem(problem, PROBLEM_NO_ROOM, NULL);
    problem->missingKB = (unsigned long)((needed - freeBytes + 1023) >> 10);
    return 0;
}

// A file made and removed at once: a folder on a read-only medium, or one the user may
// not write in, refuses it. The folder is given with its backslash, so that the system never
// takes a last character's 0x5C trail byte for one.
static int CheckNewFile(InstallProblem *problem)
{
    char folder[MAX_PATH], path[MAX_PATH];
    if (!FormatPath(folder, "%s%s", g_installFolder, SeparatorFor(g_installFolder, CP_ACP)) ||
        !GetTempFileNameA(folder, "pds", 0, path))
        return Problem(problem, PROBLEM_NO_NEW_FILE, NULL);
    DeleteFileA(path);
    return 1;
}

int CheckInstallCanFinish(int keepOld, InstallProblem *problem)
{
    InstallNames names;
    ListInstallNames(&names, keepOld);
    for (int index = 0; index < INSTALL_NAMES; index++) {
        if (names.name[index] && !CheckTarget(&names, index, problem))
            return 0;
    }
    return CheckRoom(&names, problem) && CheckNewFile(problem);
}
