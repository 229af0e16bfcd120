// Measuring and drawing bilingual GBK strings: Chinese from the glyph atlas, the rest
// in the device context's font.
#pragma once
#include <windows.h>

enum { GLYPH_ADVANCE = 16, MIXED_TEXT_HEIGHT = 16 };

// Width of text as DrawMixedText lays it out, and the height 16.
SIZE MeasureMixedText(HDC hdc, const char *text);

// Draws text with its top-left corner at (x, y). Glyph cells are combined with SRCAND
// (black on any background), or with SRCPAINT when inverted (light on a selection fill
// whose colours the caller has set). Returns what MeasureMixedText gives.
SIZE DrawMixedText(HDC hdc, int x, int y, const char *text, int inverted);

// Makes the GB2312 sample font of the display check (g_sampleFont; NULL on failure).
int CreateGbFont(void);

// Draws count bytes of GBK text in the selected font through the system's own fonts.
void TextOutGbk(HDC hdc, int x, int y, const char *text, int count);

// Shortens text, if needed, so that it does not end in the lead byte of a cut-off
// double-byte character.
void CutAtCharBoundary(char *text);
