// Sample BMP and PNG files: headers, CRCs, pixel data, and the PNG padding limits.
#include "payload/catalogue_host.h"
#include <gtest/gtest.h>
#include <set>
#include <string.h>
#include <zlib.h>

namespace {

uint32_t Le32(const Bytes &b, size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | (uint32_t)b[at + 3] << 24;
}

unsigned Le16(const Bytes &b, size_t at)
{
    return b[at] | b[at + 1] << 8;
}

uint32_t Be32(const Bytes &b, size_t at)
{
    return (uint32_t)b[at] << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

struct PngChunk {
    std::string type;
    size_t dataAt, length;
};

// Walks the chunks, checking each CRC and that they tile the file exactly.
std::vector<PngChunk> ReadChunks(const Bytes &png)
{
    std::vector<PngChunk> chunks;
    size_t at = 8;
    while (at + 12 <= png.size()) {
        PngChunk chunk = { std::string(png.begin() + at + 4, png.begin() + at + 8), at + 8,
                           Be32(png, at) };
        if (chunk.dataAt + chunk.length + 4 > png.size()) {
            ADD_FAILURE() << "chunk " << chunk.type << " runs past the end";
            break;
        }
        uint32_t crc = (uint32_t)crc32(0, &png[at + 4], (uInt)(chunk.length + 4));
        EXPECT_EQ(crc, Be32(png, chunk.dataAt + chunk.length)) << chunk.type;
        chunks.push_back(chunk);
        at = chunk.dataAt + chunk.length + 4;
    }
    EXPECT_EQ(png.size(), at);
    return chunks;
}

Bytes Make(const SampleSpec &sample)
{
    Bytes out;
    std::string error;
    EXPECT_TRUE(MakeSampleFile(sample, Bytes(), &out, &error)) << error;
    return out;
}

}  // namespace

TEST(SampleImages, BmpHeadersDescribeTheCatalogueSize)
{
    for (const SampleSpec &sample : kSampleCatalogue) {
        if (sample.kind != SAMPLE_BMP)
            continue;
        SCOPED_TRACE(sample.file);
        Bytes bmp = Make(sample);
        ASSERT_EQ(sample.bytes, bmp.size());
        unsigned palette = sample.bitsPerPixel <= 8 ? 4u << sample.bitsPerPixel : 0;
        EXPECT_EQ('B', bmp[0]);
        EXPECT_EQ('M', bmp[1]);
        EXPECT_EQ(sample.bytes, Le32(bmp, 2));
        EXPECT_EQ(54 + palette, Le32(bmp, 10));
        EXPECT_EQ(40u, Le32(bmp, 14));
        EXPECT_EQ((uint32_t)sample.width, Le32(bmp, 18));
        EXPECT_EQ((uint32_t)sample.height, Le32(bmp, 22));
        EXPECT_EQ(1u, Le16(bmp, 26));
        EXPECT_EQ((unsigned)sample.bitsPerPixel, Le16(bmp, 28));
        EXPECT_EQ(0u, Le32(bmp, 30));
        EXPECT_EQ(sample.bytes - 54 - palette, Le32(bmp, 34));

        // Something is drawn: a middle row holds more than one distinct byte.
        unsigned rowBytes = (sample.width * sample.bitsPerPixel + 31) / 32 * 4;
        size_t middle = 54 + palette + (size_t)rowBytes * (sample.height / 2);
        std::set<unsigned char> seen(bmp.begin() + middle, bmp.begin() + middle + rowBytes);
        EXPECT_GT(seen.size(), 1u);
    }
}

TEST(SampleImages, BmpOfTheWrongSizeOrDepthIsRefused)
{
    SampleSpec sample = { 0, 116, "x.bmp", SAMPLE_BMP, 828, 516, 1, 53726 };
    Bytes out;
    std::string error;
    EXPECT_TRUE(MakeSampleFile(sample, Bytes(), &out, &error)) << error;
    sample.bytes = 53727;
    EXPECT_FALSE(MakeSampleFile(sample, Bytes(), &out, &error));
    sample.bytes = 53725;
    EXPECT_FALSE(MakeSampleFile(sample, Bytes(), &out, &error));
    SampleSpec fourBit = { 0, 116, "x.bmp", SAMPLE_BMP, 8, 8, 4, 14 + 40 + 64 + 32 };
    EXPECT_FALSE(MakeSampleFile(fourBit, Bytes(), &out, &error));
}

TEST(SampleImages, PngChunksAreValidAndPixelsInflate)
{
    for (const SampleSpec &sample : kSampleCatalogue) {
        if (sample.kind != SAMPLE_PNG)
            continue;
        SCOPED_TRACE(sample.file);
        Bytes png = Make(sample);
        ASSERT_EQ(sample.bytes, png.size());
        static const unsigned char signature[8] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
        ASSERT_EQ(0, memcmp(png.data(), signature, 8));

        std::vector<PngChunk> chunks = ReadChunks(png);
        ASSERT_GE(chunks.size(), 4u);
        EXPECT_EQ("IHDR", chunks.front().type);
        EXPECT_EQ("IEND", chunks.back().type);
        EXPECT_EQ((uint32_t)sample.width, Be32(png, chunks[0].dataAt));
        EXPECT_EQ((uint32_t)sample.height, Be32(png, chunks[0].dataAt + 4));
        EXPECT_EQ(8, png[chunks[0].dataAt + 8]);
        EXPECT_EQ(3, png[chunks[0].dataAt + 9]);

        Bytes compressed;
        for (const PngChunk &c : chunks)
            if (c.type == "IDAT")
                compressed.insert(compressed.end(), png.begin() + c.dataAt,
                                  png.begin() + c.dataAt + c.length);
        uLongf rawSize = (uLongf)sample.height * (1 + sample.width) + 1;
        Bytes raw(rawSize);
        ASSERT_EQ(Z_OK, uncompress(raw.data(), &rawSize, compressed.data(), compressed.size()));
        EXPECT_EQ((uLongf)sample.height * (1 + sample.width), rawSize);
        unsigned paletteEntries = 0;
        for (const PngChunk &c : chunks)
            if (c.type == "PLTE")
                paletteEntries = (unsigned)c.length / 3;
        for (uLongf i = 0; i < rawSize; ++i) {
            bool filterByte = i % (1 + sample.width) == 0;
            ASSERT_LT(raw[i], filterByte ? 5u : paletteEntries) << "at " << i;
        }
    }
}

// The padding chunk needs 12 bytes at least; a tEXt comment needs 20 ("Comment" + NUL).
TEST(SampleImages, PngPaddingChunkFitsAnyRoomFromTwelveBytes)
{
    SampleSpec sample = { 0, 210, "shot01.PNG", SAMPLE_PNG, 360, 58, 0, 100000 };
    Bytes padded = Make(sample);
    std::vector<PngChunk> chunks = ReadChunks(padded);
    ASSERT_EQ("tEXt", chunks[chunks.size() - 2].type);
    unsigned natural = sample.bytes - 12 - (unsigned)chunks[chunks.size() - 2].length;

    Bytes out;
    std::string error;
    sample.bytes = natural + 11;
    EXPECT_FALSE(MakeSampleFile(sample, Bytes(), &out, &error));
    EXPECT_NE(std::string::npos, error.find("room"));

    const unsigned rooms[] = { 12, 13, 19, 20, 21 };
    for (unsigned room : rooms) {
        SCOPED_TRACE(room);
        sample.bytes = natural + room;
        ASSERT_TRUE(MakeSampleFile(sample, Bytes(), &out, &error)) << error;
        ASSERT_EQ(sample.bytes, out.size());
        chunks = ReadChunks(out);
        const PngChunk &pad = chunks[chunks.size() - 2];
        EXPECT_EQ(room >= 20 ? "tEXt" : "paDd", pad.type);
        EXPECT_TRUE(pad.type[0] >= 'a' && pad.type[0] <= 'z');     // ancillary
    }
}
