// The glyph atlas in memory: four monochrome planes, each in its own memory DC.
#pragma once

enum AtlasResult {
    ATLAS_LOADED,
    ATLAS_NO_MEMORY,        // the decompression buffer could not be had
    ATLAS_BAD_DATA,         // resource missing or damaged
    ATLAS_NO_GDI            // a plane bitmap or its DC could not be made
};

enum { ATLAS_BUFFER_BYTES = 307200 };

// Inflates resource 110 into g_glyphPlane / g_glyphDC. On ATLAS_NO_GDI the planes made
// so far stay for ReleaseGlyphAtlas to free.
AtlasResult LoadGlyphAtlas(void);

// Puts back each DC's original bitmap and deletes the DCs and planes that exist.
void ReleaseGlyphAtlas(void);
