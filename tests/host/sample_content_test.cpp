// Sample payload files: exact sizes and repeatability for every row, data files, programs.
#include "payload/catalogue_host.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <string.h>
#include <zlib.h>

namespace {

void PutLe32At(Bytes *b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        (*b)[at + i] = (unsigned char)(v >> (8 * i));
}

// MZ header, PE signature, a COFF header without optional header, one section whose raw
// data fills the file up to its end.
Bytes MinimalPeStub()
{
    Bytes stub(0x300, 0);
    stub[0] = 'M';
    stub[1] = 'Z';
    PutLe32At(&stub, 0x3C, 0x40);
    memcpy(&stub[0x40], "PE\0\0", 4);
    stub[0x44] = 0x4C;                  // i386
    stub[0x45] = 0x01;
    stub[0x46] = 1;                     // one section
    size_t section = 0x44 + 20;
    memcpy(&stub[section], ".text", 5);
    PutLe32At(&stub, section + 16, 0x100);     // SizeOfRawData
    PutLe32At(&stub, section + 20, 0x200);     // PointerToRawData
    return stub;
}

double CompressedShare(const unsigned char *data, size_t size)
{
    uLongf packedSize = compressBound(size);
    Bytes packed(packedSize);
    EXPECT_EQ(Z_OK, compress2(packed.data(), &packedSize, data, size, 9));
    return (double)packedSize / size;
}

SampleSpec ExeSpec(unsigned bytes)
{
    SampleSpec sample = { 0, 900, "Test.exe", SAMPLE_EXE, 0, 0, 0, bytes };
    return sample;
}

}  // namespace

TEST(SampleContent, EveryRowHasItsExactSizeAndIsRepeatable)
{
    Bytes stub = MinimalPeStub();
    for (const SampleSpec &sample : kSampleCatalogue) {
        if (sample.kind == SAMPLE_ATLAS)
            continue;
        SCOPED_TRACE(sample.file);
        Bytes first, second;
        std::string error;
        ASSERT_TRUE(MakeSampleFile(sample, stub, &first, &error)) << error;
        EXPECT_EQ(sample.bytes, first.size());
        ASSERT_TRUE(MakeSampleFile(sample, stub, &second, &error)) << error;
        EXPECT_TRUE(first == second);
    }
}

TEST(SampleContent, AtlasIsLeftToTheAtlasBuilder)
{
    for (const SampleSpec &sample : kSampleCatalogue) {
        if (sample.kind != SAMPLE_ATLAS)
            continue;
        Bytes out(5, 1);
        std::string error;
        EXPECT_FALSE(MakeSampleFile(sample, MinimalPeStub(), &out, &error));
        EXPECT_NE(std::string::npos, error.find("atlas"));
        EXPECT_TRUE(out.empty());
    }
}

TEST(SampleContent, DataStartsWithTopBitAndCompressesLikeRealData)
{
    bool sawWordIndex = false;
    for (const SampleSpec &sample : kSampleCatalogue) {
        if (sample.kind != SAMPLE_DATA)
            continue;
        SCOPED_TRACE(sample.file);
        Bytes out;
        std::string error;
        ASSERT_TRUE(MakeSampleFile(sample, Bytes(), &out, &error)) << error;
        EXPECT_GE(out[0], 0x80);
        sawWordIndex |= strcmp(sample.file, "wordindex.idx") == 0;
        // A megabyte is plenty to judge the mix and keeps zlib's level 9 quick.
        size_t judged = out.size() < (1u << 20) ? out.size() : (1u << 20);
        double share = CompressedShare(out.data(), judged);
        EXPECT_LT(share, 0.80);
        EXPECT_GT(share, 0.25);
    }
    EXPECT_TRUE(sawWordIndex);
}

TEST(SampleContent, DataSmallerThanHeaderIsRefused)
{
    SampleSpec sample = { 0, 200, "tiny.bin", SAMPLE_DATA, 0, 0, 0, 15 };
    Bytes out;
    std::string error;
    EXPECT_FALSE(MakeSampleFile(sample, Bytes(), &out, &error));
    sample.bytes = 17;     // header plus a one-byte partial record
    EXPECT_TRUE(MakeSampleFile(sample, Bytes(), &out, &error)) << error;
    EXPECT_EQ(17u, out.size());
}

TEST(SampleContent, ExeIsTheStubFollowedByAnOverlay)
{
    Bytes stub = MinimalPeStub();
    for (const SampleSpec &sample : kSampleCatalogue) {
        if (sample.kind != SAMPLE_EXE)
            continue;
        SCOPED_TRACE(sample.file);
        Bytes out;
        std::string error;
        ASSERT_TRUE(MakeSampleFile(sample, stub, &out, &error)) << error;
        ASSERT_TRUE(std::equal(stub.begin(), stub.end(), out.begin()));
        std::string overlay(out.begin() + stub.size(), out.begin() + stub.size() + 200);
        EXPECT_NE(std::string::npos, overlay.find(sample.file));
    }

    Bytes out;
    std::string error;
    EXPECT_TRUE(MakeSampleFile(ExeSpec((unsigned)stub.size() + 1), stub, &out, &error));
    EXPECT_EQ(stub.size() + 1, out.size());
}

TEST(SampleContent, ExeRefusesStubsThatCannotCarryAnOverlay)
{
    const Bytes good = MinimalPeStub();
    Bytes out;
    std::string error;

    EXPECT_FALSE(MakeSampleFile(ExeSpec((unsigned)good.size()), good, &out, &error));
    EXPECT_FALSE(MakeSampleFile(ExeSpec(100), good, &out, &error));

    Bytes notMz = good;
    notMz[0] = 'X';
    EXPECT_FALSE(MakeSampleFile(ExeSpec(4096), notMz, &out, &error));

    Bytes noPe = good;
    noPe[0x41] = 'X';
    EXPECT_FALSE(MakeSampleFile(ExeSpec(4096), noPe, &out, &error));

    Bytes wildOffset = good;
    PutLe32At(&wildOffset, 0x3C, 0xFFFFFFF0u);
    EXPECT_FALSE(MakeSampleFile(ExeSpec(4096), wildOffset, &out, &error));

    Bytes truncated(good.begin(), good.begin() + 0x280);    // section data cut short
    EXPECT_FALSE(MakeSampleFile(ExeSpec(4096), truncated, &out, &error));
    EXPECT_NE(std::string::npos, error.find("section"));

    EXPECT_FALSE(MakeSampleFile(ExeSpec(4096), Bytes(), &out, &error));
    EXPECT_TRUE(out.empty());
}
