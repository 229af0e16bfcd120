// How much the volume of a folder can still take.
#pragma once
#include <windows.h>

// Bytes the user may still write on the volume that holds folder, and its allocation unit.
// 0 when the system cannot say (the caller then has no figure to check against).
int VolumeSpace(const char *folder, ULONGLONG *freeBytes, DWORD *clusterBytes);
