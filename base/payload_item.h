// One-shot inflation of a compressed "TEXT" item of the installer's own resources.
#pragma once
#include <windows.h>

// Inflates item id into buffer. *length enters as the capacity and leaves as the number
// of bytes produced. Returns zlib's result: Z_OK (0) only for one complete, intact
// stream; a missing item is an error too.
int InflateItem(int id, unsigned char *buffer, DWORD *length);
