// Where the process starts. The runtime's usual start-up object is built for a newer
// processor than the one the installer supports (it runs a CMOV before WinMain), so the
// program brings its own: the C runtime DLL sets itself up when it is loaded, and the
// installer takes no arguments and has no static constructors, so little is left to do.
#include <windows.h>
#include <stdlib.h>

extern "C" void __cdecl __set_app_type(int type);
enum { RUNTIME_GUI_APP = 2 };

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);

// The command line after the program's own name, which may be quoted. A byte-wise scan is
// safe: quotes, spaces and tabs are never the second byte of a double-byte character.
static LPSTR CommandTail(LPSTR line)
{
    if (*line == '"') {
        ++line;
        while (*line && *line != '"')
            ++line;
        if (*line == '"')
            ++line;
    } else {
        while (*line && *line != ' ' && *line != '\t')
            ++line;
    }
    while (*line == ' ' || *line == '\t')
        ++line;
    return line;
}

// The loader calls this with whatever stack alignment it has; the compiler may assume more.
extern "C" __attribute__((force_align_arg_pointer)) void WinMainCRTStartup(void)
{
    // Errors the C runtime reports go to a message box, not to a console nobody sees.
    __set_app_type(RUNTIME_GUI_APP);
    STARTUPINFOA startup;
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    // exit, not ExitProcess: the runtime flushes and closes its streams first.
    exit(WinMain(GetModuleHandleA(NULL), NULL, CommandTail(GetCommandLineA()), show));
}
