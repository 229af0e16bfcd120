// The Traditional-Chinese shortcut names, compiled to Big5 (code page 950): a system of
// that code page would show GBK bytes as other characters.
#include "shortcut_names.h"

const char g_big5ProductName[] = "Zelvo文本編輯";
const char g_big5UninstallName[] = "Zelvo文本編輯卸載";
