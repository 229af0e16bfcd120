// The shipped installer, read once per test program from the path in PENDREL_EXE.
#include "shipped.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

const PeImage *ShippedImage()
{
    static PeImage image;
    static bool loaded = [] {
        const char *path = getenv("PENDREL_EXE");
        std::string error;
        bool ok = path && LoadPeImage(path, &image, &error);
        if (!ok)
            ADD_FAILURE() << (path ? path : "PENDREL_EXE unset") << ": " << error;
        return ok;
    }();
    return loaded ? &image : nullptr;
}
