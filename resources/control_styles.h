// Style combinations the installer's dialog templates share.
#pragma once

#define OWNER_BUTTON    BS_OWNERDRAW | WS_TABSTOP
#define OWNER_LABEL     BS_OWNERDRAW | WS_DISABLED
#define HIDDEN          NOT WS_VISIBLE
#define AUTO_CHECK      BS_AUTOCHECKBOX | BS_NOTIFY | WS_TABSTOP
// CTEXT would add WS_GROUP unasked; the centred labels are plain centred statics.
#define CENTRED_TEXT    SS_CENTER
