// The install sequence.
#pragma once
#include <windows.h>

enum { INSTALL_BUFFER_BYTES = 16 * 1024 * 1024 };  // holds the largest payload item

// Extracts the whole payload into the install folder and finishes the installation.
// 1 when every required catalogue entry was written, 0 otherwise.
int RunInstall(void);

// The catalogue part of RunInstall on its own: every entry in order into buffer
// (INSTALL_BUFFER_BYTES), skipping the word base when keepOld, with the progress positions
// on bar (NULL for none). 1 when every required entry was written.
int ExtractCatalogue(unsigned char *buffer, HWND bar, int keepOld);

enum { OLD_DICTIONARY_PATHS = 64 };

// Builds the index-th (0-63) path of the user's old dictionary files, in the order the
// install deletes them. 0 when the path does not fit a path buffer.
int OldDictionaryPath(int index, char *path);
