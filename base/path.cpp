// Bounded path formatting for MAX_PATH buffers.
#include "path.h"
#include <windows.h>
#include <stdarg.h>
#include <stdio.h>

int FormatPath(char *out, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    int n = vsnprintf(out, MAX_PATH, format, args);
    va_end(args);
    if (n < 0 || n >= MAX_PATH) {
        out[0] = '\0';
        return 0;
    }
    return 1;
}
