// The payload check over this program's test items and over the built installer.
#include "install/payload_check.h"
#include "test_folder.h"
#include "base/state.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

// Test items: 1, 2 and 5 intact (5 stored as US English), 3 stored with a wrong Adler-32
// but listed with the CRC of its stored bytes, 6 listed with a wrong CRC, 4 listed but
// not stored, 7 stored but not listed, 8 neither.
TEST(PayloadCheck, EveryItemMustBeStoredListedAndIntact)
{
    g_hInstance = GetModuleHandleA(NULL);
    struct { const char *name; std::vector<int> ids; int expected; } cases[] = {
        { "intact items", { 1, 2, 5 }, 1 },
        { "no items", {}, 1 },
        { "stored bytes as listed, whatever they inflate to", { 3 }, 1 },
        { "wrong CRC", { 1, 6, 2 }, 0 },
        { "listed but not stored", { 4 }, 0 },
        { "stored but not listed", { 7 }, 0 },
        { "neither", { 1, 8 }, 0 },
        { "high bits of the ID ignored as in extraction", { 0x70000 | 2 }, 1 },
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.expected, VerifyItems(c.ids.data(), (int)c.ids.size())) << c.name;
}

TEST(PayloadCheck, BuiltInstallerPassesAndAModuleWithoutTableFails)
{
    ASSERT_NE(nullptr, InstallerModule());
    g_hInstance = InstallerModule();
    EXPECT_EQ(1, VerifyPayload());

    int id = 106;   // the installer's first item; this program has no table of its own for it
    g_hInstance = GetModuleHandleA("kernel32.dll");
    EXPECT_EQ(0, VerifyItems(&id, 1));
}

} // namespace
