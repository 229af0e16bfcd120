// The shipped installer against itself with the sample payload's items at zlib's level 9,
// as it was built before the optimal encoder: at most nine tenths of that. The figure is
// printed for `make bench`.
#include "shipped.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

const double kAtLevel9Bytes = 17166848;

TEST(ShippedPayload, IsAtMostNineTenthsOfZlibLevel9)
{
    const PeImage *image = ShippedImage();
    ASSERT_TRUE(image);
    double ratio = image->bytes.size() / kAtLevel9Bytes;
    printf("image_size_ratio=%.3f  (%zu bytes against %.0f with the items at zlib level 9; "
           "goal 0.90)\n", ratio, image->bytes.size(), kAtLevel9Bytes);
    EXPECT_LE(ratio, 0.90) << "the payload is not written with the optimal encoder "
                              "(a PENDREL_QUICK_PAYLOAD build is not for shipping)";
}

}  // namespace
