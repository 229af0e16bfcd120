/* Stand-in for the product's programs in the sample payload: a runnable Windows program
   that says which installed file it is and that the real program is not in this build. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    char path[MAX_PATH];
    char text[MAX_PATH + 96];
    (void)instance; (void)previous; (void)commandLine; (void)show;
    if (!GetModuleFileNameA(NULL, path, sizeof path))
        lstrcpyA(path, "this program");
    wsprintfA(text, "%s\n\nSample build: the real Pendrel program is not part of this package.", path);
    MessageBoxA(NULL, text, "Pendrel Writer", MB_OK | MB_ICONINFORMATION);
    return 0;
}
