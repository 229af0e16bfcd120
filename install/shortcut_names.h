// Names of the Start-menu folder and shortcuts, by Chinese variant of the system.
#pragma once

struct ShortcutNames {
    const char *folder;         // Start-menu program folder
    const char *program;        // program shortcut, also the desktop shortcut
    const char *uninstaller;    // uninstaller shortcut
};

// Indexed by the Chinese variant: 0 none, 1 Simplified (GBK), 2 Traditional (Big5).
extern const ShortcutNames g_shortcutNames[3];

// Big5 texts, compiled from their own file with the Big5 character set.
extern const char g_big5ProductName[];
extern const char g_big5UninstallName[];
