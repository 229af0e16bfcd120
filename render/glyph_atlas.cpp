// The glyph atlas in memory: four monochrome planes, each in its own memory DC.
#include "glyph_atlas.h"
#include "glyph_cell.h"
#include "../base/payload_item.h"
#include "../resources/resource.h"
#include "../base/state.h"
#include <stdlib.h>
#include <zlib.h>

AtlasResult LoadGlyphAtlas(void)
{
    unsigned char *bits = (unsigned char *)malloc(ATLAS_BUFFER_BYTES);
    if (!bits)
        return ATLAS_NO_MEMORY;
    DWORD length = ATLAS_BUFFER_BYTES;
    // A short atlas would leave planes of stale heap bytes: treat it as damaged.
    if (InflateItem(IDR_GLYPH_ATLAS, bits, &length) != Z_OK || length < ATLAS_BYTES) {
        free(bits);
        return ATLAS_BAD_DATA;
    }

    AtlasResult result = ATLAS_LOADED;
    for (int k = 0; k < ATLAS_PLANES && result == ATLAS_LOADED; k++) {
        g_glyphPlane[k] = CreateBitmap(ATLAS_PLANE_WIDTH, ATLAS_PLANE_HEIGHT, 1, 1,
                                       bits + k * ATLAS_PLANE_BYTES);
        g_glyphDC[k] = g_glyphPlane[k] ? CreateCompatibleDC(NULL) : NULL;
        if (!g_glyphDC[k])
            result = ATLAS_NO_GDI;
        else
            g_glyphPrevious[k] = SelectObject(g_glyphDC[k], g_glyphPlane[k]);
    }
    free(bits);
    return result;
}

void ReleaseGlyphAtlas(void)
{
    for (int k = 0; k < ATLAS_PLANES; k++) {
        if (g_glyphDC[k]) {
            SelectObject(g_glyphDC[k], g_glyphPrevious[k]);
            DeleteDC(g_glyphDC[k]);
            g_glyphDC[k] = NULL;
        }
        if (g_glyphPlane[k]) {
            DeleteObject(g_glyphPlane[k]);
            g_glyphPlane[k] = NULL;
        }
    }
}
