// What start-up learns about the system: platform, Chinese variant, folders.
#pragma once
#include <windows.h>

// 1 when the ANSI code page has double-byte characters.
int IsDbcsCodePage(void);

// The Chinese variant a default language implies: 1 Simplified, 2 Traditional, 0 none.
// Only a double-byte code page can show Chinese, so without one the variant is 0.
int ChineseVariantFromLanguage(LANGID language, int dbcs);

// The folder part of a module path in the given code page, keeping its trailing backslash
// ("A:\" when the path has none). folder holds MAX_PATH bytes.
void WizardFolderFromModulePath(const char *modulePath, UINT codePage, char *folder);

// Sets the NT and version-3 flags, the Chinese variant and the wizard folder.
void DetectEnvironment(void);

// Sets the Windows folder, always ending with a backslash.
void ReadWindowsFolder(void);
