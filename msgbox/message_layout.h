// Size and placement of the bilingual message box, from its measured texts and buttons.
#pragma once
#include <windows.h>

struct MessageMetrics {
    SIZE chinese;           // MeasureMixedText of the Chinese text
    SIZE english;           // extent of the English text, 0 x 0 when none
    int chineseBytes;       // length of the Chinese text in bytes
    int buttonWidth, buttonHeight;
    int style;              // 0 OK, 4 Yes/No, other OK/Cancel
    int frameWidth;         // SM_CXDLGFRAME
    int captionHeight;      // SM_CYCAPTION
    int screenWidth, screenHeight;
};

struct MessageLayout {
    RECT window;            // left, top, width in right, height in bottom
    POINT first;            // OK alone, or Yes / OK of a pair
    POINT second;           // No / Cancel of a pair
    int pair;               // 1 when two buttons are shown
};

void LayoutMessageBox(const MessageMetrics *m, MessageLayout *out);
