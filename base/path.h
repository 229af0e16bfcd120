// Bounded path formatting for MAX_PATH buffers.
#pragma once

// Formats into a MAX_PATH buffer. Returns 1 when the whole result fits, else 0 with
// out emptied, so a cut-off path can never name some other file.
int FormatPath(char *out, const char *format, ...);
