// Every dialog, control and resource ID of the installer, named once.
#pragma once

// Resource type of every compressed item (payload, glyph atlas, licences).
#define RT_PAYLOAD              "TEXT"

// ---- Compressed items read by the installer itself ---------------------------------
#define IDR_GLYPH_ATLAS         110     // also installed as glyphs16.bin
#define IDR_LICENCE_CHINESE     124
#define IDR_LICENCE_ENGLISH     161

// The build-time CRC-32 of every compressed item: pairs of little-endian 32-bit words
// (item ID, CRC-32 of the item's bytes as stored), written by the payload generator.
#define RT_PAYLOAD_CHECKS       "PAYLOADCRC"
#define IDR_PAYLOAD_CHECKS      1

// ---- Icons ---------------------------------------------------------------------------
#define IDI_PRODUCT             105     // shown in the main dialog's left column
#define IDI_MAIN                127     // the window icon

// ---- Main wizard dialog --------------------------------------------------------------
#define IDD_MAIN                101

// Navigation, on every page
#define IDC_BACK                3
#define IDC_CANCEL              2
#define IDC_NEXT                1001    // Next / Agree-Install; the default button

// Page 0: install folder
#define IDC_FOLDER              1002
#define IDC_BROWSE              1003
#define IDC_DESKTOP_ICON        1004
#define IDC_FOLDER_LABEL        1006

// Page 1: display check
#define IDC_SAMPLE_FRAME        1015
#define IDC_DISPLAY_QUESTION    1017
#define IDC_SAMPLE_LINE         1018
#define IDC_DISPLAY_OK          1007
#define IDC_DISPLAY_NO          1008

// Page 2: licence
#define IDC_LICENCE_ENGLISH     1010    // check box choosing the English text
#define IDC_LICENCE_LIST        1019    // Chinese licence, one line per item
#define IDC_LICENCE_TEXT        1014    // English licence

// Page 3: interface language
#define IDC_LANGUAGE_LABEL      1030
#define IDC_LANGUAGE            1031

// Left-hand column and the rest
#define IDC_PRODUCT_NAME        166
#define IDC_PRODUCT_ICON        102
#define IDC_SEPARATOR           108
#define IDC_INSTALLER_NAME      169
#define IDC_FAMILY_LABEL        1009
#define IDC_PRODUCT_LABEL       1011
#define IDC_SETUP_LABEL         1012
#define IDC_BLANK_LABEL         1020    // drawn as nothing
#define IDC_WEB_ADDRESS         172
#define IDC_PROGRESS            1026
#define IDC_STATUS_PANEL        1021    // a plain panel, never shown

// ---- Message box ---------------------------------------------------------------------
#define IDD_MESSAGE             112
#define IDC_MESSAGE_CHINESE     1013
#define IDC_MESSAGE_ENGLISH     1028

// ---- Folder picker -------------------------------------------------------------------
// The other controls of the picker carry the fixed IDs of the system's open dialog.
#define IDD_PICKER                      168
#define IDC_PICKER_DIRECTORIES          1121    // directory list
#define IDC_PICKER_DIRECTORIES_LABEL    1008
#define IDC_PICKER_DRIVES_LABEL         1010
