// Turning payload items into files, and the protective attributes of installed files.
#pragma once
#include <windows.h>

// Inflates "TEXT" item id into buffer (capacity bytes) and writes it as fileName in the
// install folder. 1 = written; 0 = no such item, corrupt, too large, or not writable.
// When decompression fails no file is created, opened or changed.
int ExtractResource(int id, const char *fileName, unsigned char *buffer, DWORD capacity,
                    int readOnly, int hidden);

// Writes count bytes as fileName in the install folder, replacing a read-only or hidden
// file, then sets the requested attributes. 1 = all bytes written.
int WriteFileWithAttrs(const char *fileName, const unsigned char *bytes, DWORD count,
                       int readOnly, int hidden);

// Removes read-only and/or hidden from path. 1 when an attribute was removed.
int ClearProtectAttrs(const char *path, int removeReadOnly, int removeHidden);

// Strips both attributes and deletes path; the result of remove(): 0 = deleted.
int DeleteUserFile(const char *path);
