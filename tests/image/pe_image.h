// A native reader of a PE32 file's headers, imports and resources: enough to check the
// shipped installer on any host, without Windows or Wine.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct PeImage {
    std::vector<unsigned char> bytes;
    size_t ntAt = 0;            // offset of "PE\0\0"
    uint16_t machine = 0;
    uint16_t sectionCount = 0;
    uint32_t timeStamp = 0;
    uint16_t magic = 0;         // 0x10B for PE32
    uint16_t subsystem = 0;
    uint16_t subsystemMajor = 0, subsystemMinor = 0;
    uint16_t osMajor = 0, osMinor = 0;
    uint32_t imageBase = 0;
    uint32_t importRva = 0, resourceRva = 0, delayImportRva = 0;
};

// Reads and checks the headers of a PE32 file; false with a reason when it is none.
bool LoadPeImage(const std::string &path, PeImage *image, std::string *error);

// The file offset of a relative virtual address, or the file's size when no section holds it.
size_t RvaToOffset(const PeImage &image, uint32_t rva);

// Every imported function by upper-case DLL name; ordinals as "#n".
std::map<std::string, std::vector<std::string>> ReadImports(const PeImage &image);

// Every function imported through the delay-load table, likewise.
std::map<std::string, std::vector<std::string>> ReadDelayImports(const PeImage &image);

// One delay-loaded DLL: where its descriptor is, and its address and name tables (RVAs).
struct DelayDescriptor {
    uint32_t rva = 0;
    std::string dll;            // upper case
    uint32_t addressTable = 0, nameTable = 0;
    std::vector<std::string> functions;
};
std::vector<DelayDescriptor> ReadDelayDescriptors(const PeImage &image);

// The 32-bit value at an RVA; 0 where no section holds it.
uint32_t ReadU32AtRva(const PeImage &image, uint32_t rva);
// The byte at an RVA, or -1 where no section holds it.
int ReadByteAtRva(const PeImage &image, uint32_t rva);
// Whether the RVA lies in a section the loader maps executable.
bool IsExecutableRva(const PeImage &image, uint32_t rva);

// A resource's bytes by type and ID; a type is a string ("TEXT") or "#n" for a numbered one.
struct PeResource {
    const unsigned char *data = nullptr;
    uint32_t size = 0;
};
// Every resource of the image: type -> id -> its first language's data.
std::map<std::string, std::map<int, PeResource>> ReadResources(const PeImage &image);
