// The shipped installer as a file, read natively: a PE32 GUI program for old systems that
// carries its whole payload. Runs on every host, whether or not it can run the program.
#include "shipped.h"
#include "pe_layout/pe_layout.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <set>
#include <string>
#include <vector>
#include <zlib.h>

namespace {

struct ListedItem {
    int id;
    const char *file;
    unsigned long bytes;
};

const ListedItem kListed[] = {
#define CATALOGUE_ROW(n, id, file, ro, hid, req, wb, p1, p2, kind, w, h, bpp, bytes) { id, file, bytes },
#include "install/catalogue_rows.h"
#undef CATALOGUE_ROW
};

// An empty image where the real one cannot be read: every case then fails on its fields.
const PeImage &Shipped()
{
    static const PeImage empty;
    const PeImage *image = ShippedImage();
    return image ? *image : empty;
}

TEST(ShippedImage, IsA32BitGuiProgramForVersion4)
{
    const PeImage &image = Shipped();
    EXPECT_EQ(0x14C, image.machine) << "i386";
    EXPECT_EQ(0x10B, image.magic) << "PE32";
    EXPECT_EQ(2, image.subsystem) << "Windows GUI";
    EXPECT_EQ(4, image.subsystemMajor);
    EXPECT_EQ(0, image.subsystemMinor);
    EXPECT_EQ(4, image.osMajor);
    EXPECT_EQ(0, image.osMinor);
    EXPECT_EQ(0u, image.timeStamp) << "time stamps make builds differ";
}

// The list of what Windows 95/98/ME and NT 4.0 export, kept beside this test.
std::set<std::string> OldWindowsExports()
{
    std::set<std::string> names;
    std::ifstream in(OLD_WINDOWS_IMPORTS);
    std::string dll, function;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line.substr(0, line.find('#')));
        if (fields >> dll >> function)
            names.insert(dll + " " + function);
    }
    return names;
}

void ExpectAllKnown(const std::map<std::string, std::vector<std::string>> &imports)
{
    static const std::set<std::string> allowed = OldWindowsExports();
    ASSERT_GT(allowed.size(), 100u) << OLD_WINDOWS_IMPORTS;
    for (const auto &dll : imports) {
        EXPECT_FALSE(dll.second.empty()) << dll.first;
        for (const std::string &function : dll.second)
            EXPECT_TRUE(allowed.count(dll.first + " " + function)) << dll.first << " " << function
                << " is not known to be exported by Windows 95 and NT 4.0";
    }
}

std::set<std::string> Names(const std::map<std::string, std::vector<std::string>> &imports)
{
    std::set<std::string> names;
    for (const auto &dll : imports)
        names.insert(dll.first);
    return names;
}

// Statically imported DLLs and their own dependencies load before any of our code runs, from
// wherever the system looks first: only what the program cannot start without is imported so.
TEST(ShippedImage, ImportsOnlyWhatOldWindowsExports)
{
    auto imports = ReadImports(Shipped());
    auto delayed = ReadDelayImports(Shipped());
    EXPECT_EQ((std::set<std::string>{ "KERNEL32.DLL", "MSVCRT.DLL" }), Names(imports));
    EXPECT_EQ((std::set<std::string>{ "ADVAPI32.DLL", "COMCTL32.DLL", "COMDLG32.DLL", "GDI32.DLL", "OLE32.DLL",
                                      "SHELL32.DLL", "USER32.DLL" }),
              Names(delayed));
    ExpectAllKnown(imports);
    ExpectAllKnown(delayed);
}

TEST(ShippedImage, CarriesItsDialogsIconsAndTexts)
{
    auto resources = ReadResources(Shipped());
    const int kDialog = 5, kGroupIcon = 14;
    for (int id : { 101, 112, 168 })
        EXPECT_TRUE(resources["#" + std::to_string(kDialog)].count(id)) << "dialog " << id;
    for (int id : { 105, 127 })
        EXPECT_TRUE(resources["#" + std::to_string(kGroupIcon)].count(id)) << "icon " << id;
    std::set<int> expected = { 110, 124, 161 };
    for (const ListedItem &item : kListed)
        expected.insert(item.id);
    std::set<int> carried;
    for (const auto &text : resources["TEXT"])
        carried.insert(text.first);
    EXPECT_EQ(expected, carried);
    EXPECT_EQ(102u, carried.size());
}

// Vista and later must run it elevated rather than virtualise its writes into the Windows
// folder, and nothing may pull in the visual-styles controls.
TEST(ShippedImage, ManifestAsksForAdministratorWithoutVisualStyles)
{
    auto resources = ReadResources(Shipped());
    const int kManifest = 24;
    ASSERT_TRUE(resources["#" + std::to_string(kManifest)].count(1)) << "no application manifest";
    const PeResource &found = resources["#" + std::to_string(kManifest)][1];
    std::string manifest((const char *)found.data, found.size);
    EXPECT_NE(std::string::npos, manifest.find("level=\"requireAdministrator\""));
    EXPECT_EQ(std::string::npos, manifest.find("Common-Controls"));
    EXPECT_EQ(std::string::npos, manifest.find("<dependency"));
}

// Every item is a zlib stream whose header declares the strongest compression (what both
// zlib's level 9 and the optimal encoder write) and that inflates to exactly its listed size.
TEST(ShippedImage, EveryItemInflatesToItsListedSize)
{
    auto texts = ReadResources(Shipped())["TEXT"];
    std::vector<unsigned char> buffer(16 * 1024 * 1024);
    for (const ListedItem &item : kListed) {
        ASSERT_TRUE(texts.count(item.id)) << item.file;
        const PeResource &found = texts[item.id];
        ASSERT_GE(found.size, 2u) << item.file;
        EXPECT_EQ(0x78, found.data[0]) << item.file;
        EXPECT_EQ(0xDA, found.data[1]) << item.file << " does not declare the strongest compression";
        uLongf length = buffer.size();
        ASSERT_EQ(Z_OK, uncompress(buffer.data(), &length, found.data, found.size)) << item.file;
        EXPECT_EQ((uLongf)item.bytes, length) << item.file;
        if (std::string(item.file) == "wordindex.idx") {
            EXPECT_TRUE(buffer[0] & 0x80) << "a second install must recognise the word base";
        }
    }
    for (int id : { 110, 124, 161 }) {
        uLongf length = buffer.size();
        EXPECT_EQ(Z_OK, uncompress(buffer.data(), &length, texts[id].data, texts[id].size)) << id;
    }
}

// The payload lies on a page boundary of the file, so that it is mapped rather than read at
// start-up, and moving it there kept the header's checksum true.
TEST(ShippedImage, ResourcesStartOnAPageAndTheChecksumHolds)
{
    const PeImage &image = Shipped();
    ASSERT_NE(0u, image.resourceRva);
    EXPECT_EQ(0u, RvaToOffset(image, image.resourceRva) % PE_FILE_PAGE);
    EXPECT_TRUE(PeChecksumHolds(image.bytes));
}

// What the installer adds to its payload: code, tables, dialogs, icons and headers. The
// figure is printed for `make bench` as well.
TEST(ShippedImage, AddsAtMost100KiBToItsPayload)
{
    const PeImage &image = Shipped();
    unsigned long long payload = 0;
    auto resources = ReadResources(image);
    for (const auto &text : resources["TEXT"])
        payload += text.second.size;
    ASSERT_GT(payload, 0u);
    unsigned long long overhead = image.bytes.size() - payload;
    printf("image_overhead=%.1f KiB  (%zu bytes, payload %llu bytes; goal 100 KiB)\n",
           overhead / 1024.0, image.bytes.size() - (size_t)payload, payload);
    EXPECT_LE(overhead, 100u * 1024) << "the installer's own part has grown past 100 KiB";
}

} // namespace
