// Where the installer's DLLs come from: only kernel32 and the C runtime are imported
// statically; every other DLL is delay-loaded, after start-up has pointed the loader at the
// system folder, so that neither it nor its own dependencies come from our folder.
#include "system_dlls.h"
#include <windows.h>
#include <delayimp.h>

typedef BOOL(WINAPI *SetDefaultDllDirectoriesProc)(DWORD);
typedef BOOL(WINAPI *SetDllDirectoryProc)(LPCSTR);

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

// Old systems lack these calls: look them up instead of importing them.
static FARPROC KernelProc(const char *name)
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    return kernel ? GetProcAddress(kernel, name) : NULL;
}

// DLLs that system DLLs load on their own when they first need them (alpha blending for the
// common controls and dialogs). Loaded from the system folder at start-up, they are found
// loaded when asked for, and a planted copy is never considered, even where a system DLL's
// own loading ignores the restricted search.
static const char *const kLoadedOnDemand[] = { "msimg32.dll" };

HMODULE LoadSystemDll(const char *name)
{
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    size_t nameLength = (size_t)lstrlenA(name);
    if (length == 0 || length + 1 + nameLength >= MAX_PATH)
        return NULL;
    path[length] = '\\';
    lstrcpynA(path + length + 1, name, (int)(MAX_PATH - length - 1));
    return LoadLibraryA(path);
}

// The delay-load helper asks before it loads a DLL by its bare name: answer with the copy in
// the system folder, so that a planted DLL of the same name is never even considered.
static FARPROC WINAPI LoadFromSystemFolder(unsigned notification, PDelayLoadInfo info)
{
    if (notification != dliNotePreLoadLibrary)
        return NULL;
    return (FARPROC)LoadSystemDll(info->szDll);
}

void UseSystemDllsOnly(void)
{
    __pfnDliNotifyHook2 = LoadFromSystemFolder;
    // Also covers what the system DLLs load for themselves (their own imports, themes). The
    // detour through a plain function type is how a looked-up address gets its real type.
    SetDefaultDllDirectoriesProc setDefault =
        (SetDefaultDllDirectoriesProc)(void (*)(void))KernelProc("SetDefaultDllDirectories");
    if (setDefault)
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Where that is missing, at least take the current folder out of the search.
    SetDllDirectoryProc setDirectory = (SetDllDirectoryProc)(void (*)(void))KernelProc("SetDllDirectoryA");
    if (setDirectory)
        setDirectory("");
    // Not every system has them: a missing one must fail quietly, without an error box.
    UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    for (const char *name : kLoadedOnDemand)
        LoadSystemDll(name);
    SetErrorMode(previousMode);
}
