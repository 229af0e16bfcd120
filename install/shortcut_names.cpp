// Names of the Start-menu folder and shortcuts, by Chinese variant of the system.
#include "shortcut_names.h"

const ShortcutNames g_shortcutNames[3] = {
    { "Pendrel Writer", "Pendrel Writer", "Pendrel UnInstall" },
    { "Zelvo文本编辑", "Zelvo文本编辑", "Zelvo文本编辑卸载" },
    { g_big5ProductName, g_big5ProductName, g_big5UninstallName },
};
