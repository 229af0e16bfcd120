// Size and placement of the bilingual message box, from its measured texts and buttons.
#include "message_layout.h"

void LayoutMessageBox(const MessageMetrics *m, MessageLayout *out)
{
    int bw = m->buttonWidth, bh = m->buttonHeight;
    int minimum = m->style == 0 ? 2 * bw : 3 * bw;
    int w = (m->chinese.cx > m->english.cx ? m->chinese.cx : m->english.cx) + 2 * m->frameWidth;
    // Short messages get some air on both sides.
    if (m->chineseBytes < 81)
        w += 2 * bh;
    int h = 3 * (m->chinese.cy + bh) + 2 * m->english.cy;

    // Centred on the content size, even when the minimum width widens the window.
    out->window.left = (m->screenWidth - w) / 2;
    out->window.top = (m->screenHeight - h) / 2;
    out->window.right = w > minimum ? w : minimum;
    out->window.bottom = h + m->captionHeight;

    out->pair = m->style != 0;
    if (!out->pair) {
        out->first.x = (w - bw) / 2;
        out->first.y = h - 2 * bh;
        out->second = out->first;
    } else {
        out->first.x = (w - (7 * bw) / 3) / 2;
        out->first.y = h - (3 * bh) / 2;
        out->second.x = out->first.x + (4 * bw) / 3;
        out->second.y = out->first.y;
    }
}
