/* The smallest proof that a PE32 ran: it prints the Windows folder Wine gave it and ends
   with a status no failure of the loader or of Wine would give. */
#include <windows.h>
#include <stdio.h>

int main(void)
{
    char windows[MAX_PATH];
    if (!GetWindowsDirectoryA(windows, sizeof windows))
        return 1;
    printf("PE32 ran; Windows folder %s\n", windows);
    return 42;
}
