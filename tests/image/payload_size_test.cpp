// The shipped payload against zlib's level 9 on the same items: the installer must stay at
// most nine tenths of what it would be at level 9. The figure is printed for `make bench`.
#include "shipped.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>
#include <zlib.h>

namespace {

// What zlib's level 9 makes of one stored item.
unsigned long Level9Size(const PeResource &item, std::vector<unsigned char> *plain,
                         std::vector<unsigned char> *packed)
{
    uLongf plainSize = plain->size();
    EXPECT_EQ(Z_OK, uncompress(plain->data(), &plainSize, item.data, item.size));
    uLongf packedSize = packed->size();
    EXPECT_EQ(Z_OK, compress2(packed->data(), &packedSize, plain->data(), plainSize, 9));
    return packedSize;
}

TEST(ShippedPayload, IsAtMostNineTenthsOfZlibLevel9)
{
    const PeImage *image = ShippedImage();
    ASSERT_TRUE(image);
    std::vector<unsigned char> plain(32 << 20), packed(compressBound(plain.size()));
    unsigned long long stored = 0, level9 = 0;
    auto resources = ReadResources(*image);
    for (const auto &text : resources["TEXT"]) {
        stored += text.second.size;
        level9 += Level9Size(text.second, &plain, &packed);
    }
    ASSERT_GT(stored, 0u);
    unsigned long long atLevel9 = image->bytes.size() - stored + level9;
    double ratio = (double)image->bytes.size() / atLevel9;
    printf("image_size_ratio=%.3f  (%zu bytes; %llu with the same items at zlib level 9; "
           "goal 0.90)\n", ratio, image->bytes.size(), atLevel9);
    EXPECT_LE(ratio, 0.90) << "the payload is not written with the optimal encoder "
                              "(a PENDREL_QUICK_PAYLOAD build is not for shipping)";
}

}  // namespace
