// Painting of owner-drawn buttons, labels, list items and the subclassed check boxes.
#pragma once
#include <windows.h>

// Paints an owner-drawn button or label: its bilingual caption chosen by control ID,
// the 3-D frame, the default button's outline and the focus rectangle.
void DrawOwnerItem(const DRAWITEMSTRUCT *item, HWND dialog);

// Paints one item of the licence list (isCombo 0) or the language combo box (1).
void DrawListItem(int controlId, int isCombo, const DRAWITEMSTRUCT *item, HWND dialog);

// Window procedure of the subclassed check boxes: they paint themselves with
// DrawCheckControl and forward everything else to g_buttonProc.
LRESULT CALLBACK CheckCtlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Paints a whole check box or radio button, box and bilingual caption, into hdc.
void DrawCheckControl(HWND window, HDC hdc);

// Where a check control of the given client height and button type (the low byte of
// its style) draws its box, and where its caption starts; returns the frame-control
// state for the box (DFCS_BUTTONCHECK or DFCS_BUTTONRADIO).
UINT CheckBoxGeometry(int clientHeight, int type, RECT *box, int *captionX);

// The caption a check control shows (its window text for unknown IDs); buffer holds
// 128 bytes.
const char *CheckCaption(HWND window, char *buffer);

// The caption an owner-drawn control shows; NULL for control 1020, which shows nothing.
// Unknown IDs show their window text, read into buffer (128 bytes).
const char *OwnerCaption(HWND control, int id, char *buffer);
