// Reads a GNU ld map file: its input-section lines (name, address, size, file; a long name
// stands alone on its line with the rest on the next) and its symbol lines (address, name).
#include "link_map.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

bool IsHex(const std::string &word)
{
    return word.size() > 2 && word.compare(0, 2, "0x") == 0;
}

uint32_t Hex(const std::string &word)
{
    return (uint32_t)std::stoull(word, nullptr, 16);
}

std::vector<std::string> Words(const std::string &line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

} // namespace

bool ReadLinkMap(const std::string &path, LinkMap *map)
{
    std::ifstream in(path);
    std::string line, pendingSection;
    bool inLayout = false;
    while (std::getline(in, line)) {
        if (line.rfind("Linker script and memory map", 0) == 0)
            inLayout = true;
        if (!inLayout || line.empty())
            continue;
        std::vector<std::string> words = Words(line);
        if (line[0] != ' ') {               // an output section
            pendingSection.clear();
            continue;
        }
        if (line[1] != ' ') {
            // An input section, possibly with its address, size and file on the next line;
            // patterns of the linker script ("*(.text)") and fills are not.
            pendingSection.clear();
            if (line[1] != '.')
                continue;
            if (words.size() == 1) {
                pendingSection = words[0];
                continue;
            }
            if (words.size() >= 4 && IsHex(words[1]) && IsHex(words[2]))
                map->pieces.push_back({ Hex(words[1]), Hex(words[2]), words[0], words[3] });
            continue;
        }
        if (!pendingSection.empty() && words.size() >= 3 && IsHex(words[0]) && IsHex(words[1])) {
            map->pieces.push_back({ Hex(words[0]), Hex(words[1]), pendingSection, words[2] });
            pendingSection.clear();
            continue;
        }
        pendingSection.clear();
        // A symbol: "0x00401000   name", never an assignment ("name = .") or a fill.
        if (words.size() == 2 && IsHex(words[0]) && !IsHex(words[1]) && words[1] != "." &&
            line.find('=') == std::string::npos && words[1].find('(') == std::string::npos)
            map->symbols.push_back({ Hex(words[0]), words[1] });
    }
    std::sort(map->symbols.begin(), map->symbols.end(),
              [](const MapSymbol &a, const MapSymbol &b) { return a.address < b.address; });
    return !map->pieces.empty();
}

std::string DescribeAddress(const LinkMap &map, uint32_t address)
{
    const MapPiece *piece = nullptr;
    for (const MapPiece &candidate : map.pieces)
        if (address >= candidate.address && address < candidate.address + candidate.size)
            piece = &candidate;
    if (!piece)
        return "(no input section)";
    std::string name = piece->section;
    auto after = std::upper_bound(map.symbols.begin(), map.symbols.end(), address,
                                  [](uint32_t at, const MapSymbol &symbol) { return at < symbol.address; });
    if (after != map.symbols.begin() && (after - 1)->address >= piece->address)
        name = (after - 1)->name;
    std::string file = piece->file.substr(piece->file.find_last_of('/') + 1);
    return name + " (" + file + ")";
}

std::vector<MapPiece> PiecesIn(const LinkMap &map, const std::string &prefix)
{
    std::vector<MapPiece> found;
    for (const MapPiece &piece : map.pieces)
        if (piece.size && piece.section.compare(0, prefix.size(), prefix) == 0)
            found.push_back(piece);
    return found;
}
