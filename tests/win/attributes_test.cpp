// Clearing protective attributes and deleting the user's files.
#include "install/file_ops.h"
#include "test_folder.h"
#include <gtest/gtest.h>

namespace {

const DWORD RO_HIDDEN = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

struct AttributesTest : ::testing::Test {
    std::string folder, file;
    void SetUp() override
    {
        folder = MakeTestFolder();
        file = folder + "\\f.dic";
    }
    void TearDown() override { RemoveTree(folder); }
};

TEST_F(AttributesTest, ClearReportsWhetherAnythingWasRemoved)
{
    WriteText(file, "x");
    EXPECT_EQ(0, ClearProtectAttrs(file.c_str(), 1, 1));

    WriteText(file, "x", RO_HIDDEN);
    EXPECT_EQ(1, ClearProtectAttrs(file.c_str(), 0, 1));
    EXPECT_EQ((DWORD)FILE_ATTRIBUTE_READONLY, Attributes(file) & RO_HIDDEN);
    EXPECT_EQ(0, ClearProtectAttrs(file.c_str(), 0, 1));
    EXPECT_EQ(1, ClearProtectAttrs(file.c_str(), 1, 0));
    EXPECT_EQ(0u, Attributes(file) & RO_HIDDEN);
}

TEST_F(AttributesTest, DeleteRemovesProtectedFilesAndReportsMissingOnes)
{
    WriteText(file, "x", RO_HIDDEN);
    EXPECT_EQ(0, DeleteUserFile(file.c_str()));
    EXPECT_FALSE(Exists(file));
    EXPECT_NE(0, DeleteUserFile(file.c_str()));
}

} // namespace
