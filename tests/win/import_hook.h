// Faults that no real disk gives on demand (an attribute read failing between two calls)
// are made by pointing one import of this test program at a stand-in.
#pragma once
#include <windows.h>

// Addresses are plain pointers: the slots hold functions of every type.
// Points every import slot of this program that holds function of dll at replacement.
// Returns the function replaced, or NULL when the program does not import it.
void *HookImport(const char *dll, const char *function, void *replacement);

// Points the slots that HookImport gave replacement back at original.
void RestoreImport(void *replacement, void *original);
