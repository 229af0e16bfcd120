// Bounded path formatting for MAX_PATH buffers, and reading a path by its characters.
#pragma once
#include <windows.h>

// Formats into a MAX_PATH buffer. Returns 1 when the whole result fits, else 0 with
// out emptied, so a cut-off path can never name some other file.
int FormatPath(char *out, const char *format, ...);

// Paths are bytes in an ANSI code page (CP_ACP in the installer). On a double-byte system
// the second byte of a character can be 0x5C, the backslash, so a path is read character
// by character from its start, never byte by byte from its end. A lead byte with nothing
// after it counts as a character of its own.

// Byte offset of the last character of path; -1 when path is empty.
int LastCharAt(const char *path, UINT codePage);
// Byte offset of the last backslash that is a character of its own; -1 when there is none.
int LastSeparatorAt(const char *path, UINT codePage);
// 1 when the last character of path is a backslash.
int EndsWithSeparator(const char *path, UINT codePage);
// Removes a backslash that is the last character of path.
void RemoveTrailingSeparator(char *path, UINT codePage);
// What goes between folder and a name joined to it: "\" unless the folder ends with one.
const char *SeparatorFor(const char *folder, UINT codePage);
// The root of the volume that holds path, with its backslash: "C:\" for a drive letter,
// "\\server\share\" for a network name. 0 with root emptied for any other path (a
// relative one lies on the current drive).
int VolumeRoot(const char *path, char *root, UINT codePage);
