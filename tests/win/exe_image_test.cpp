// The built installer as a file: a PE32 GUI program for old systems, carrying its payload.
#include "install/catalogue.h"
#include "test_folder.h"
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>
#include <zlib.h>

namespace {

const std::string &Image()
{
    static std::string bytes = ReadText("PendrelSetup.exe");
    return bytes;
}

const IMAGE_NT_HEADERS32 *Headers(const std::string &image)
{
    if (image.size() < sizeof(IMAGE_DOS_HEADER))
        return nullptr;
    const IMAGE_DOS_HEADER *dos = (const IMAGE_DOS_HEADER *)image.data();
    if (dos->e_magic != IMAGE_DOS_SIGNATURE || (size_t)dos->e_lfanew + sizeof(IMAGE_NT_HEADERS32) > image.size())
        return nullptr;
    return (const IMAGE_NT_HEADERS32 *)(image.data() + dos->e_lfanew);
}

TEST(InstallerImage, IsA32BitGuiProgramForVersion4)
{
    const IMAGE_NT_HEADERS32 *nt = Headers(Image());
    ASSERT_NE(nullptr, nt);
    EXPECT_EQ((DWORD)IMAGE_NT_SIGNATURE, nt->Signature);
    EXPECT_EQ(IMAGE_FILE_MACHINE_I386, nt->FileHeader.Machine);
    EXPECT_EQ(IMAGE_NT_OPTIONAL_HDR32_MAGIC, nt->OptionalHeader.Magic);
    EXPECT_EQ(IMAGE_SUBSYSTEM_WINDOWS_GUI, nt->OptionalHeader.Subsystem);
    EXPECT_EQ(4, nt->OptionalHeader.MajorSubsystemVersion);
    EXPECT_EQ(0, nt->OptionalHeader.MinorSubsystemVersion);
    EXPECT_EQ(0u, nt->FileHeader.TimeDateStamp) << "time stamps make builds differ";
}

// The file offset of a relative virtual address, through the section table.
size_t FileOffset(const std::string &image, const IMAGE_NT_HEADERS32 *nt, DWORD rva)
{
    const IMAGE_SECTION_HEADER *section = IMAGE_FIRST_SECTION(nt);
    for (int i = 0; i < nt->FileHeader.NumberOfSections; i++, section++) {
        if (rva >= section->VirtualAddress && rva < section->VirtualAddress + section->SizeOfRawData)
            return rva - section->VirtualAddress + section->PointerToRawData;
    }
    return image.size();
}

TEST(InstallerImage, ImportsOnlySystemLibraries)
{
    const std::string &image = Image();
    const IMAGE_NT_HEADERS32 *nt = Headers(image);
    ASSERT_NE(nullptr, nt);
    const std::set<std::string> system = { "KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "COMCTL32.DLL",
        "COMDLG32.DLL", "SHELL32.DLL", "OLE32.DLL", "ADVAPI32.DLL", "MSVCRT.DLL" };
    DWORD rva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    int count = 0;
    for (size_t at = FileOffset(image, nt, rva); at + sizeof(IMAGE_IMPORT_DESCRIPTOR) <= image.size();
         at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const IMAGE_IMPORT_DESCRIPTOR *import = (const IMAGE_IMPORT_DESCRIPTOR *)(image.data() + at);
        if (!import->Name)
            break;
        size_t nameAt = FileOffset(image, nt, import->Name);
        ASSERT_LT(nameAt, image.size());
        std::string name = image.c_str() + nameAt;
        for (char &c : name)
            c = (char)toupper((unsigned char)c);
        EXPECT_TRUE(system.count(name)) << name;
        count++;
    }
    EXPECT_GT(count, 0);
}

BOOL CALLBACK CollectId(HMODULE, LPCSTR, LPSTR name, LONG_PTR list)
{
    if (IS_INTRESOURCE(name))
        ((std::vector<int> *)list)->push_back((int)(UINT_PTR)name);
    return TRUE;
}

TEST(InstallerImage, CarriesEveryItemAtItsSize)
{
    HMODULE module = LoadLibraryExA("PendrelSetup.exe", NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module);
    std::vector<int> ids;
    EnumResourceNamesA(module, "TEXT", CollectId, (LONG_PTR)&ids);
    EXPECT_EQ(102u, std::set<int>(ids.begin(), ids.end()).size());

    static const long kSizes[] = {
#define CATALOGUE_ROW(n, id, file, ro, hid, req, wb, p1, p2, kind, w, h, bpp, bytes) bytes,
#include "install/catalogue_rows.h"
#undef CATALOGUE_ROW
    };
    std::vector<unsigned char> buffer(16 * 1024 * 1024);
    for (int i = 0; i < CATALOGUE_ENTRIES; i++) {
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(g_catalogue[i].id), "TEXT");
        ASSERT_NE(nullptr, found) << g_catalogue[i].fileName;
        const Bytef *item = (const Bytef *)LockResource(LoadResource(module, found));
        DWORD size = SizeofResource(module, found);
        ASSERT_GE(size, 2u);
        EXPECT_EQ(0x78, item[0]) << g_catalogue[i].fileName;
        EXPECT_EQ(0xDA, item[1]) << g_catalogue[i].fileName << " is not at level 9";
        uLongf length = buffer.size();
        EXPECT_EQ(Z_OK, uncompress(buffer.data(), &length, item, size)) << g_catalogue[i].fileName;
        EXPECT_EQ((uLongf)kSizes[i], length) << g_catalogue[i].fileName;
        if (std::string(g_catalogue[i].fileName) == "wordindex.idx") {
            EXPECT_TRUE(buffer[0] & 0x80) << "a second install must recognise the word base";
        }
    }
    for (int id : { 124, 161 })
        EXPECT_NE(nullptr, FindResourceA(module, MAKEINTRESOURCEA(id), "TEXT")) << id;
    FreeLibrary(module);
}

} // namespace
