// One installer at a time: two copies installing into one folder would interleave their
// writes and their set-aside files.
#include "single_instance.h"
#include <windows.h>

// A name without a backslash: the NT line before Terminal Server knows no namespaces.
static const char kRunningName[] = "Pendrel Setup is running";

// The handle stays open until the process ends, when the system lets the name go, however
// the process ends. Where no mutex can be made nothing can be told, and the install goes on.
int ClaimSingleInstance(void)
{
    SetLastError(0);
    HANDLE running = CreateMutexA(NULL, FALSE, kRunningName);
    return !(running && GetLastError() == ERROR_ALREADY_EXISTS);
}
