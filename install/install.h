// The install sequence.
#pragma once

enum { INSTALL_BUFFER_BYTES = 16 * 1024 * 1024 };  // holds the largest payload item

// Extracts the whole payload into the install folder and finishes the installation.
// 1 when every required catalogue entry was written, 0 otherwise.
int RunInstall(void);

enum { OLD_DICTIONARY_PATHS = 64 };

// Builds the index-th (0-63) path of the user's old dictionary files, in the order the
// install deletes them. 0 when the path does not fit a path buffer.
int OldDictionaryPath(int index, char *path);
