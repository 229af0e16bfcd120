// A native reader of a PE32 file's headers, imports and resources.
#include "pe_image.h"

#include <fstream>
#include <iterator>

namespace {

uint16_t U16(const PeImage &image, size_t at)
{
    return at + 2 <= image.bytes.size() ? (uint16_t)(image.bytes[at] | image.bytes[at + 1] << 8) : 0;
}

uint32_t U32(const PeImage &image, size_t at)
{
    return at + 4 <= image.bytes.size() ? (uint32_t)U16(image, at) | (uint32_t)U16(image, at + 2) << 16 : 0;
}

std::string CString(const PeImage &image, size_t at)
{
    std::string text;
    while (at < image.bytes.size() && image.bytes[at])
        text += (char)image.bytes[at++];
    return text;
}

// A resource directory entry's name: "#id", or the string it points at (ASCII only here).
std::string EntryName(const PeImage &image, size_t root, uint32_t nameField)
{
    if (!(nameField & 0x80000000u))
        return "#" + std::to_string(nameField);
    size_t at = root + (nameField & 0x7FFFFFFFu);
    uint16_t length = U16(image, at);
    std::string name;
    for (uint16_t i = 0; i < length; i++)
        name += (char)U16(image, at + 2 + 2 * i);
    return name;
}

// The entries of one resource directory: (name field, offset field) pairs.
std::vector<std::pair<uint32_t, uint32_t>> DirectoryEntries(const PeImage &image, size_t at)
{
    std::vector<std::pair<uint32_t, uint32_t>> entries;
    size_t count = (size_t)U16(image, at + 12) + U16(image, at + 14);
    for (size_t i = 0; i < count; i++)
        entries.push_back({ U32(image, at + 16 + 8 * i), U32(image, at + 20 + 8 * i) });
    return entries;
}

// A DLL's name as the tests compare it: upper case.
std::string DllName(const PeImage &image, uint32_t nameRva)
{
    std::string dll = CString(image, RvaToOffset(image, nameRva));
    for (char &c : dll)
        c = (char)toupper((unsigned char)c);
    return dll;
}

// The functions an import name table lists: names, or "#n" for ordinals.
std::vector<std::string> NameTable(const PeImage &image, uint32_t tableRva)
{
    std::vector<std::string> functions;
    for (size_t entry = RvaToOffset(image, tableRva);; entry += 4) {
        uint32_t value = U32(image, entry);
        if (!value)
            break;
        functions.push_back(value & 0x80000000u ? "#" + std::to_string(value & 0xFFFF)
                                                : CString(image, RvaToOffset(image, value) + 2));
    }
    return functions;
}

} // namespace

bool LoadPeImage(const std::string &path, PeImage *image, std::string *error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = "cannot open " + path;
        return false;
    }
    image->bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (U16(*image, 0) != 0x5A4D) {
        *error = "no MZ header";
        return false;
    }
    image->ntAt = U32(*image, 0x3C);
    if (U32(*image, image->ntAt) != 0x00004550) {
        *error = "no PE signature";
        return false;
    }
    size_t file = image->ntAt + 4, optional = file + 20;
    image->machine = U16(*image, file);
    image->sectionCount = U16(*image, file + 2);
    image->timeStamp = U32(*image, file + 4);
    image->magic = U16(*image, optional);
    if (image->magic != 0x10B) {
        *error = "not a PE32 image";
        return false;
    }
    image->osMajor = U16(*image, optional + 40);
    image->osMinor = U16(*image, optional + 42);
    image->subsystemMajor = U16(*image, optional + 48);
    image->subsystemMinor = U16(*image, optional + 50);
    image->subsystem = U16(*image, optional + 68);
    image->imageBase = U32(*image, optional + 28);
    size_t directories = optional + 96;
    image->importRva = U32(*image, directories + 8 * 1);
    image->resourceRva = U32(*image, directories + 8 * 2);
    image->delayImportRva = U32(*image, directories + 8 * 13);
    return true;
}

// The section headers, 40 bytes each, after the optional header.
static size_t SectionHeader(const PeImage &image, int index)
{
    return image.ntAt + 4 + 20 + U16(image, image.ntAt + 4 + 16) + 40 * (size_t)index;
}

// The header of the section whose file data holds the RVA, or 0 when none does.
static size_t SectionOfRva(const PeImage &image, uint32_t rva)
{
    for (int i = 0; i < image.sectionCount; i++) {
        size_t at = SectionHeader(image, i);
        uint32_t virtualAddress = U32(image, at + 12), rawSize = U32(image, at + 16);
        if (rva >= virtualAddress && rva < virtualAddress + rawSize)
            return at;
    }
    return 0;
}

size_t RvaToOffset(const PeImage &image, uint32_t rva)
{
    size_t section = SectionOfRva(image, rva);
    return section ? rva - U32(image, section + 12) + U32(image, section + 20) : image.bytes.size();
}

static uint32_t OffsetToRva(const PeImage &image, size_t offset)
{
    for (int i = 0; i < image.sectionCount; i++) {
        size_t at = SectionHeader(image, i);
        uint32_t rawAt = U32(image, at + 20);
        if (offset >= rawAt && offset < rawAt + U32(image, at + 16))
            return (uint32_t)(offset - rawAt + U32(image, at + 12));
    }
    return 0;
}

std::map<std::string, std::vector<std::string>> ReadImports(const PeImage &image)
{
    std::map<std::string, std::vector<std::string>> imports;
    for (size_t at = RvaToOffset(image, image.importRva); at + 20 <= image.bytes.size(); at += 20) {
        uint32_t lookup = U32(image, at), nameRva = U32(image, at + 12), thunks = U32(image, at + 16);
        if (!nameRva)
            break;
        imports[DllName(image, nameRva)] = NameTable(image, lookup ? lookup : thunks);
    }
    return imports;
}

// Whether a delay-import descriptor (32 bytes: attributes, name, module handle, address
// table, name table, ...) of the RVA-based kind stands at file offset at.
static bool IsDelayDescriptor(const PeImage &image, size_t at)
{
    if (U32(image, at) != 1)
        return false;
    size_t nameAt = RvaToOffset(image, U32(image, at + 4));
    std::string name = nameAt < image.bytes.size() ? CString(image, nameAt) : "";
    if (name.size() < 5 || name.size() > 64)
        return false;
    std::string tail = name.substr(name.size() - 4);
    for (char &c : tail)
        c = (char)tolower((unsigned char)c);
    return tail == ".dll" && RvaToOffset(image, U32(image, at + 12)) < image.bytes.size() &&
           RvaToOffset(image, U32(image, at + 16)) < image.bytes.size();
}

std::vector<DelayDescriptor> ReadDelayDescriptors(const PeImage &image)
{
    std::vector<DelayDescriptor> descriptors;
    // GNU ld leaves the delay-import directory entry empty for dlltool's delay-import
    // libraries, so find the descriptors themselves.
    for (size_t at = 0; at + 32 <= image.bytes.size(); at += 4) {
        if (!IsDelayDescriptor(image, at))
            continue;
        DelayDescriptor found;
        found.rva = OffsetToRva(image, at);
        found.dll = DllName(image, U32(image, at + 4));
        found.addressTable = U32(image, at + 12);
        found.nameTable = U32(image, at + 16);
        found.functions = NameTable(image, found.nameTable);
        descriptors.push_back(found);
    }
    return descriptors;
}

std::map<std::string, std::vector<std::string>> ReadDelayImports(const PeImage &image)
{
    std::map<std::string, std::vector<std::string>> imports;
    for (const DelayDescriptor &descriptor : ReadDelayDescriptors(image))
        imports[descriptor.dll] = descriptor.functions;
    return imports;
}

uint32_t ReadU32AtRva(const PeImage &image, uint32_t rva)
{
    return U32(image, RvaToOffset(image, rva));
}

int ReadByteAtRva(const PeImage &image, uint32_t rva)
{
    size_t at = RvaToOffset(image, rva);
    return at < image.bytes.size() ? image.bytes[at] : -1;
}

bool IsExecutableRva(const PeImage &image, uint32_t rva)
{
    const uint32_t kExecute = 0x20000000;
    size_t section = SectionOfRva(image, rva);
    return section && (U32(image, section + 36) & kExecute) != 0;
}

std::map<std::string, std::map<int, PeResource>> ReadResources(const PeImage &image)
{
    std::map<std::string, std::map<int, PeResource>> resources;
    size_t root = RvaToOffset(image, image.resourceRva);
    if (root >= image.bytes.size())
        return resources;
    for (auto type : DirectoryEntries(image, root)) {
        if (!(type.second & 0x80000000u))
            continue;
        std::string typeName = EntryName(image, root, type.first);
        for (auto name : DirectoryEntries(image, root + (type.second & 0x7FFFFFFFu))) {
            if ((name.first & 0x80000000u) || !(name.second & 0x80000000u))
                continue;
            auto languages = DirectoryEntries(image, root + (name.second & 0x7FFFFFFFu));
            if (languages.empty() || (languages[0].second & 0x80000000u))
                continue;
            size_t leaf = root + languages[0].second;
            size_t dataAt = RvaToOffset(image, U32(image, leaf));
            uint32_t size = U32(image, leaf + 4);
            if (dataAt + size > image.bytes.size())
                continue;
            resources[typeName][(int)name.first] = { image.bytes.data() + dataAt, size };
        }
    }
    return resources;
}
