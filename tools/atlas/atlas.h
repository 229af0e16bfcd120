// Builds the 16x16 glyph atlas (the installer's own Chinese font) from a unifont .hex file.
#pragma once
#include <string>
#include <vector>

// Fills atlas with the ATLAS_BYTES bytes of the four planes (layout in render/glyph_cell.h).
// On failure returns false and says why in error.
bool BuildGlyphAtlas(const char *unifontHexPath, std::vector<unsigned char> *atlas,
                     std::string *error);
