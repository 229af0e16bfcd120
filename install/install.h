// The install sequence.
#pragma once
#include "install_names.h"
#include <windows.h>

enum { INSTALL_BUFFER_BYTES = 16 * 1024 * 1024 };  // holds the largest payload item

// Extracts the whole payload into the install folder and finishes the installation.
// 1 when every required catalogue entry was written, 0 otherwise.
int RunInstall(void);

// The files of the install, all or nothing: the user's old dictionaries deleted and every
// catalogue entry inflated in buffer (INSTALL_BUFFER_BYTES) and written, skipping the word
// base when keepOld, with the progress positions on bar (NULL for none). Every file replaced or
// deleted is set aside first. 1 when every required entry was written, the set-aside files
// then discarded; 0 with everything put back as it was.
int InstallFiles(unsigned char *buffer, HWND bar, int keepOld);

// Builds the index-th (0-63) path of the user's old dictionary files, in the order the
// install deletes them. 0 when the path does not fit a path buffer.
int OldDictionaryPath(int index, char *path);
