// Resource IDs of the start-up benchmark's reference program.
#pragma once

#define IDD_MIN_DIALOG  100
#define IDC_MIN_TEXT    1000
