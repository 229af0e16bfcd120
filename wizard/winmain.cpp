// Process entry. Until the wizard pages exist, the installer installs straight into the
// folder named on its command line (default: the Pendrel folder on the Windows drive).
#include "environment.h"
#include "message_box.h"
#include "state.h"
#include "../install/install.h"
#include "../install/path.h"
#include <commctrl.h>
#include <direct.h>
#include <string.h>

// The folder named on the command line, without quotes or a trailing backslash.
static void TakeInstallFolder(const char *commandLine)
{
    while (*commandLine == ' ' || *commandLine == '"')
        commandLine++;
    if (*commandLine)
        FormatPath(g_installFolder, "%s", commandLine);
    else
        FormatPath(g_installFolder, "%c:\\Pendrel", g_windowsFolder[0] ? g_windowsFolder[0] : 'C');
    size_t length = strlen(g_installFolder);
    while (length > 0 && (g_installFolder[length - 1] == '"' || g_installFolder[length - 1] == ' '))
        g_installFolder[--length] = '\0';
    if (length > 3 && g_installFolder[length - 1] == '\\')
        g_installFolder[--length] = '\0';
}

// A folder that exists is used as it is; a new one gets its "doc" sub-folder.
static int EnterInstallFolder(void)
{
    if (_chdir(g_installFolder) == 0)
        return 1;
    if (_mkdir(g_installFolder) != 0)
        return 0;
    char doc[MAX_PATH];
    if (FormatPath(doc, "%s\\doc", g_installFolder))
        _mkdir(doc);
    return 1;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    (void)previous;
    (void)show;
    g_hInstance = instance;
    InitCommonControls();
    DetectEnvironment();
    ReadWindowsFolder();
    TakeInstallFolder(commandLine);

    if (!g_installFolder[0] || !EnterInstallFolder()) {
        BiMessageBox("无法建目录。请检查所列目录是否合法（注意：子目录只能在已存在的目录下建）。",
                     "Cannot create folder! Please check folder path.", BIMB_OK, NULL);
        return 1;
    }
    if (RunInstall())
        BiMessageBox("祝贺您：安装顺利完成！", "Congratulations! Installation Success!", BIMB_OK, NULL);
    else
        BiMessageBox("安装失败！请检查一下系统后，再重新安装。谢谢！",
                     "Installation failed. Please check your system (quit all Zelvo applications) and try again.",
                     BIMB_OK, NULL);
    return 0;
}
