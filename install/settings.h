// Recording the wizard's answers in the installed product's settings file.
#pragma once

// Writes the display-check answer ("UseBmpFont=") and the interface language
// ("ForceLanguage=") into appcfg.ini in the install folder, then leaves the file
// read-only and hidden. A missing file stays missing. Always returns 1.
int UpdateSettingsFile(void);
