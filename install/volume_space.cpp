// How much the volume of a folder can still take: the extended free-space call where the
// system has it, the old one where it does not.
#include "volume_space.h"
#include "../base/path.h"

typedef BOOL(WINAPI *FreeSpaceExProc)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

static const DWORD UNKNOWN_CLUSTER_BYTES = 4096;

// Windows 95 before OSR2 lacks the extended call: looked up, so that the program still loads there.
static FreeSpaceExProc ExtendedFreeSpace(void)
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    return kernel ? (FreeSpaceExProc)(void (*)(void))GetProcAddress(kernel, "GetDiskFreeSpaceExA") : NULL;
}

// The extended call takes any folder and counts the user's quota; the old one wants the
// volume's root and reports at most 2 GB on the 95 line, which is still enough to decide.
int VolumeSpace(const char *folder, ULONGLONG *freeBytes, DWORD *clusterBytes)
{
    char root[MAX_PATH];
    const char *rootOrCurrent = VolumeRoot(folder, root, CP_ACP) ? root : NULL;
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    int old = GetDiskFreeSpaceA(rootOrCurrent, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters);
    *clusterBytes = old && sectorsPerCluster && bytesPerSector ? sectorsPerCluster * bytesPerSector
                                                               : UNKNOWN_CLUSTER_BYTES;
    char directory[MAX_PATH];
    ULARGE_INTEGER available, total, totalFree;
    FreeSpaceExProc extended = ExtendedFreeSpace();
    if (extended && FormatPath(directory, "%s%s", folder, SeparatorFor(folder, CP_ACP)) &&
        extended(directory, &available, &total, &totalFree)) {
        *freeBytes = available.QuadPart;
        return 1;
    }
    *freeBytes = (ULONGLONG)freeClusters * *clusterBytes;
    return old;
}
