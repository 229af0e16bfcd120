// Rewriting this program's own import address table for the fault tests.
#include "import_hook.h"

// Points every import slot that holds from at to; the number of slots changed.
static int SwapSlots(void *from, void *to)
{
    BYTE *base = (BYTE *)GetModuleHandleA(NULL);
    IMAGE_NT_HEADERS *nt = (IMAGE_NT_HEADERS *)(base + ((IMAGE_DOS_HEADER *)base)->e_lfanew);
    IMAGE_DATA_DIRECTORY directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!directory.VirtualAddress)
        return 0;
    int swapped = 0;
    for (IMAGE_IMPORT_DESCRIPTOR *module = (IMAGE_IMPORT_DESCRIPTOR *)(base + directory.VirtualAddress);
         module->Name; module++) {
        for (IMAGE_THUNK_DATA *slot = (IMAGE_THUNK_DATA *)(base + module->FirstThunk);
             slot->u1.Function; slot++) {
            void **address = (void **)&slot->u1.Function;
            if (*address != from)
                continue;
            DWORD protection;
            VirtualProtect(address, sizeof *address, PAGE_READWRITE, &protection);
            *address = to;
            VirtualProtect(address, sizeof *address, protection, &protection);
            swapped++;
        }
    }
    return swapped;
}

void *HookImport(const char *dll, const char *function, void *replacement)
{
    HMODULE target = GetModuleHandleA(dll);
    void *original = target ? (void *)GetProcAddress(target, function) : NULL;
    return original && SwapSlots(original, replacement) > 0 ? original : NULL;
}

void RestoreImport(void *replacement, void *original)
{
    SwapSlots(replacement, original);
}
