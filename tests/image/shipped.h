// The shipped installer, read once per test program from the path in PENDREL_EXE.
#pragma once
#include "pe_image.h"

// Null, with a test failure recorded, when it cannot be read as a PE32 image.
const PeImage *ShippedImage();
