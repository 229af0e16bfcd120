// Every call into a delay-loaded DLL first goes through its slot, so each slot must start
// out pointing at a thunk that names that very slot and hands it, with its own DLL's
// descriptor, to the load helper. A slot linked as 0 sends the first call to address 0.
#include "link_map.h"
#include "shipped.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// dlltool's i386 delay-load code:
//   per function   B8 <slot>        mov eax, offset slot
//                  E9 <rel32>       jmp the DLL's tail merge
//   per DLL        51 52 50         push ecx, edx, eax
//                  68 <descriptor>  push offset descriptor
//                  E8 <rel32>       call the load helper
const unsigned char kMov = 0xB8, kJmp = 0xE9, kCall = 0xE8;
const unsigned char kMergePushes[] = { 0x51, 0x52, 0x50, 0x68 };

uint32_t RelativeTarget(const PeImage &image, uint32_t opcodeRva)
{
    return opcodeRva + 5 + ReadU32AtRva(image, opcodeRva + 1);
}

bool MatchesBytes(const PeImage &image, uint32_t rva, const unsigned char *bytes, size_t count)
{
    for (size_t i = 0; i < count; i++)
        if (ReadByteAtRva(image, rva + (uint32_t)i) != bytes[i])
            return false;
    return true;
}

TEST(ShippedDelayImports, EverySlotStartsAtAThunkThatLoadsItThroughItsOwnDescriptor)
{
    const PeImage *image = ShippedImage();
    ASSERT_TRUE(image);
    std::vector<DelayDescriptor> descriptors = ReadDelayDescriptors(*image);
    ASSERT_EQ(7u, descriptors.size()) << "user32, gdi32, comctl32, comdlg32, shell32, ole32, advapi32";
    uint32_t base = image->imageBase, helper = 0;
    int slots = 0, zeros = 0;
    for (const DelayDescriptor &dll : descriptors) {
        ASSERT_FALSE(dll.functions.empty()) << dll.dll;
        for (size_t i = 0; i < dll.functions.size(); i++) {
            std::string what = dll.dll + " " + dll.functions[i];
            uint32_t slot = dll.addressTable + 4 * (uint32_t)i, value = ReadU32AtRva(*image, slot);
            slots++;
            if (value == 0) {
                zeros++;
                ADD_FAILURE() << what << ": its slot is 0, so the first call jumps to address 0";
                continue;
            }
            uint32_t thunk = value - base;
            EXPECT_TRUE(IsExecutableRva(*image, thunk)) << what << ": the slot points outside the code";
            EXPECT_EQ(kMov, ReadByteAtRva(*image, thunk)) << what;
            EXPECT_EQ(base + slot, ReadU32AtRva(*image, thunk + 1)) << what << ": the thunk loads another slot";
            EXPECT_EQ(kJmp, ReadByteAtRva(*image, thunk + 5)) << what;
            uint32_t merge = RelativeTarget(*image, thunk + 5);
            EXPECT_TRUE(MatchesBytes(*image, merge, kMergePushes, sizeof kMergePushes)) << what;
            EXPECT_EQ(base + dll.rva, ReadU32AtRva(*image, merge + 4))
                << what << ": loaded through another DLL's descriptor";
            EXPECT_EQ(kCall, ReadByteAtRva(*image, merge + 8)) << what;
            uint32_t called = RelativeTarget(*image, merge + 8);
            if (!helper)
                helper = called;
            EXPECT_EQ(helper, called) << what << ": its DLL's thunks call something else";
        }
    }
    EXPECT_EQ(0, zeros) << zeros << " of " << slots << " slots are 0";
    ASSERT_TRUE(IsExecutableRva(*image, helper));
    const char *mapPath = getenv("PENDREL_MAP");
    LinkMap map;
    ASSERT_TRUE(mapPath && ReadLinkMap(mapPath, &map)) << "the installer's link map (PENDREL_MAP)";
    EXPECT_NE(std::string::npos, DescribeAddress(map, base + helper).find("__delayLoadHelper2"))
        << "the thunks call " << DescribeAddress(map, base + helper);
}

} // namespace
