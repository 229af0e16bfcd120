#include "pe_layout.h"

#include <algorithm>
#include <cstddef>

namespace {

enum {
    FILE_HEADER_BYTES = 20,
    SECTION_HEADER_BYTES = 40,
    DIRECTORY_SECURITY = 4,
    DIRECTORY_DEBUG = 6,
    CHECKSUM_FIELD = 64,        // within the optional header, alike in both widths
};

const unsigned char kResourceName[8] = { '.', 'r', 's', 'r', 'c', 0, 0, 0 };

uint32_t Get(const std::vector<unsigned char> &file, size_t at, int bytes)
{
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; i--)
        value = value << 8 | (at + i < file.size() ? file[at + i] : 0);
    return value;
}

void Put32(std::vector<unsigned char> &file, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; i++)
        file[at + i] = (unsigned char)(value >> 8 * i);
}

struct Layout {
    size_t optionalAt;          // optional header
    size_t directoriesAt;       // its data directories
    uint32_t directoryCount;
    size_t sectionsAt;          // section table
    uint16_t sectionCount;
};

bool ReadLayout(const std::vector<unsigned char> &file, Layout *layout)
{
    if (file.size() < 0x40 || Get(file, 0, 2) != 0x5A4D)
        return false;
    size_t ntAt = Get(file, 0x3C, 4);
    if (ntAt + 4 + FILE_HEADER_BYTES > file.size() || Get(file, ntAt, 4) != 0x4550)
        return false;
    size_t fileHeaderAt = ntAt + 4;
    layout->sectionCount = (uint16_t)Get(file, fileHeaderAt + 2, 2);
    uint16_t optionalBytes = (uint16_t)Get(file, fileHeaderAt + 16, 2);
    layout->optionalAt = fileHeaderAt + FILE_HEADER_BYTES;
    uint16_t magic = (uint16_t)Get(file, layout->optionalAt, 2);
    if (magic != 0x10B && magic != 0x20B)
        return false;
    size_t countAt = layout->optionalAt + (magic == 0x10B ? 92 : 108);
    layout->directoryCount = Get(file, countAt, 4);
    layout->directoriesAt = countAt + 4;
    layout->sectionsAt = layout->optionalAt + optionalBytes;
    return layout->sectionsAt + (size_t)layout->sectionCount * SECTION_HEADER_BYTES <= file.size();
}

uint32_t DirectorySize(const std::vector<unsigned char> &file, const Layout &layout, uint32_t index)
{
    return index < layout.directoryCount ? Get(file, layout.directoriesAt + 8 * index + 4, 4) : 0;
}

} // namespace

bool PeChecksumHolds(const std::vector<unsigned char> &file)
{
    Layout layout;
    if (!ReadLayout(file, &layout))
        return false;
    size_t checksumAt = layout.optionalAt + CHECKSUM_FIELD;
    return Get(file, checksumAt, 4) == PeChecksum(file, checksumAt);
}

uint32_t PeChecksum(const std::vector<unsigned char> &file, size_t checksumAt)
{
    uint64_t sum = 0;
    for (size_t at = 0; at < file.size(); at += 2) {
        if (at == checksumAt || at == checksumAt + 2)
            continue;
        sum += Get(file, at, 2);
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    sum = (sum & 0xFFFF) + (sum >> 16);
    return (uint32_t)sum + (uint32_t)file.size();
}

bool AlignResourceData(std::vector<unsigned char> &file, std::string *error)
{
    Layout layout;
    if (!ReadLayout(file, &layout)) {
        *error = "not a PE image";
        return false;
    }
    if (DirectorySize(file, layout, DIRECTORY_SECURITY)) {
        *error = "the image is signed: align it before signing";
        return false;
    }
    if (DirectorySize(file, layout, DIRECTORY_DEBUG)) {
        *error = "the image carries debug data: link it stripped";
        return false;
    }

    size_t resourceAt = 0;
    for (uint16_t i = 0; i < layout.sectionCount; i++) {
        size_t header = layout.sectionsAt + (size_t)i * SECTION_HEADER_BYTES;
        if (std::equal(kResourceName, kResourceName + 8, file.begin() + (std::ptrdiff_t)header))
            resourceAt = Get(file, header + 20, 4);
    }
    if (!resourceAt) {
        *error = "no .rsrc section";
        return false;
    }
    size_t pad = (PE_FILE_PAGE - resourceAt % PE_FILE_PAGE) % PE_FILE_PAGE;
    if (!pad)
        return true;

    for (uint16_t i = 0; i < layout.sectionCount; i++) {
        size_t field = layout.sectionsAt + (size_t)i * SECTION_HEADER_BYTES + 20;
        uint32_t rawAt = Get(file, field, 4);
        if (rawAt >= resourceAt)
            Put32(file, field, rawAt + (uint32_t)pad);
    }
    size_t symbolsField = layout.optionalAt - FILE_HEADER_BYTES + 8;
    uint32_t symbolsAt = Get(file, symbolsField, 4);
    if (symbolsAt >= resourceAt)
        Put32(file, symbolsField, symbolsAt + (uint32_t)pad);
    file.insert(file.begin() + (std::ptrdiff_t)resourceAt, pad, 0);

    // A zero checksum means "not computed" and stays so.
    size_t checksumAt = layout.optionalAt + CHECKSUM_FIELD;
    if (Get(file, checksumAt, 4))
        Put32(file, checksumAt, PeChecksum(file, checksumAt));
    return true;
}
