// The linker's map of the shipped installer: which function and which input file each
// address of the stripped image came from, and what went into the start-up sections.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct MapPiece {
    uint32_t address = 0, size = 0;
    std::string section;        // the input section, e.g. ".text$_Z9RunInstallv" or ".ctors.65535"
    std::string file;           // the object or archive member it came from
};

struct MapSymbol {
    uint32_t address = 0;
    std::string name;
};

struct LinkMap {
    std::vector<MapPiece> pieces;   // in the map's order
    std::vector<MapSymbol> symbols; // sorted by address
};

// False when the file cannot be read or lists nothing.
bool ReadLinkMap(const std::string &path, LinkMap *map);

// "function (file)" for an address: the nearest symbol at or before it within the same input
// section, else the input section's own name.
std::string DescribeAddress(const LinkMap &map, uint32_t address);

// The input pieces of non-zero size whose section name starts with prefix.
std::vector<MapPiece> PiecesIn(const LinkMap &map, const std::string &prefix);
