// Windows 95 and 98 ran on 486 and Pentium-class machines, where an instruction of the
// Pentium Pro or later kills the program before it shows anything. The whole shipped
// image is disassembled, whoever's code it came from (ours, zlib, the C runtime pieces).
#include "link_map.h"
#include "shipped.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Instruction {
    uint32_t address;
    std::string mnemonic, operands;
};

// What the i486 lacks, by mnemonic (a trailing '*' takes every mnemonic with that start).
const char *const kNewerMnemonics[] = {
    "cmov*", "fcmov*", "fcomi", "fcomip", "fucomi", "fucomip",  // Pentium Pro
    "cmpxchg8b", "rdtsc", "rdtscp", "rdpmc",                     // Pentium and later
    "sysenter", "sysexit", "syscall", "sysret",
    "fxsave", "fxrstor", "emms", "femms", "ldmxcsr", "stmxcsr",
    "lfence", "sfence", "mfence", "clflush", "movnti", "prefetch*",
    "movbe", "popcnt", "lzcnt", "crc32",
};
const char *const kNewerRegisters[] = { "%mm", "%xmm", "%ymm", "%zmm" };

bool IsNewerMnemonic(const std::string &mnemonic)
{
    for (std::string rule : kNewerMnemonics) {
        if (rule.back() == '*' ? mnemonic.compare(0, rule.size() - 1, rule, 0, rule.size() - 1) == 0
                               : mnemonic == rule)
            return true;
    }
    return false;
}

bool UsesNewerRegister(const std::string &operands)
{
    for (const char *name : kNewerRegisters)
        if (operands.find(name) != std::string::npos)
            return true;
    return false;
}

// objdump's lines "  401110:\tjmp    *0x410530", without the raw bytes.
std::vector<Instruction> Disassemble(const std::string &exe)
{
    std::vector<Instruction> code;
    std::string command = std::string(OBJDUMP) + " -d -w --no-show-raw-insn '" + exe + "'";
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe)
        return code;
    char line[1024];
    while (fgets(line, sizeof line, pipe)) {
        char *colon = strchr(line, ':');
        char *end = nullptr;
        unsigned long address = strtoul(line, &end, 16);
        if (!colon || end != colon || colon[1] != '\t')
            continue;
        std::istringstream fields(colon + 2);
        Instruction instruction = { (uint32_t)address, "", "" };
        fields >> instruction.mnemonic;
        // Prefixes ("rep", "lock", "data16") come before the mnemonic they modify.
        while (instruction.mnemonic == "rep" || instruction.mnemonic == "repz" || instruction.mnemonic == "repnz" ||
               instruction.mnemonic == "lock" || instruction.mnemonic == "data16")
            fields >> instruction.mnemonic;
        std::getline(fields, instruction.operands);
        code.push_back(instruction);
    }
    pclose(pipe);
    return code;
}

const LinkMap &Map()
{
    static LinkMap map;
    static bool read = [] {
        const char *path = getenv("PENDREL_MAP");
        return path && ReadLinkMap(path, &map);
    }();
    if (!read)
        ADD_FAILURE() << "cannot read the installer's link map (PENDREL_MAP)";
    return map;
}

TEST(ShippedImage, RunsOnAnI486)
{
    const char *exe = getenv("PENDREL_EXE");
    ASSERT_TRUE(exe);
    std::vector<Instruction> code = Disassemble(exe);
    ASSERT_GT(code.size(), 5000u) << "the disassembler read next to nothing of " << exe;
    const LinkMap &map = Map();
    // CPUID is only safe after the EFLAGS ID bit has shown the processor has it.
    std::set<std::string> checkFirst;
    for (const Instruction &instruction : code)
        if (instruction.mnemonic == "xor" && instruction.operands.find("$0x200000,") != std::string::npos)
            checkFirst.insert(DescribeAddress(map, instruction.address));
    int found = 0;
    for (const Instruction &instruction : code) {
        std::string function = DescribeAddress(map, instruction.address);
        bool newer = IsNewerMnemonic(instruction.mnemonic) || UsesNewerRegister(instruction.operands) ||
                     (instruction.mnemonic == "cpuid" && !checkFirst.count(function));
        if (!newer)
            continue;
        found++;
        char at[16];
        snprintf(at, sizeof at, "0x%08x", instruction.address);
        ADD_FAILURE() << instruction.mnemonic << instruction.operands << " at " << at << " in " << function;
    }
    EXPECT_EQ(0, found) << "instructions an i486 does not have";
}

// The program brings its own entry point, which runs no static constructors, thread-local
// callbacks or start-up tables: anything placed there would silently never run.
TEST(ShippedImage, LeavesNothingForAStartUpThatNeverRuns)
{
    const LinkMap &map = Map();
    ASSERT_FALSE(map.pieces.empty());
    for (const char *section : { ".ctors", ".dtors", ".CRT$X", ".tls" })
        for (const MapPiece &piece : PiecesIn(map, section))
            ADD_FAILURE() << piece.section << " from " << piece.file.substr(piece.file.find_last_of('/') + 1)
                          << " would never run";
}

} // namespace
