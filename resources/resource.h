// Every dialog, control and resource ID of the installer, named once.
#pragma once

// Resource type of every compressed item (payload, glyph atlas, licences).
#define RT_PAYLOAD              "TEXT"

// Compressed items that are not installed files, or that start-up reads itself.
#define IDR_GLYPH_ATLAS         110     // also installed as glyphs16.bin
#define IDR_LICENCE_CHINESE     124
#define IDR_LICENCE_ENGLISH     161

// ---- Main wizard dialog ----------------------------------------------------------
#define IDD_MAIN                101
#define IDC_NEXT                1001    // Next / Agree-Install; the default button
#define IDC_BACK                3
#define IDC_PROGRESS            1026
