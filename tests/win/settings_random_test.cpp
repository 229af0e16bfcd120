// The settings update over thousands of generated files: it never changes a byte outside
// the lines holding its two keys and the tail it appends, never shortens the file, gives
// every key line it can see its answer in place and appends only the keys it could not see.
#include "install/settings.h"
#include "test_folder.h"
#include "base/state.h"
#include <gtest/gtest.h>
#include <stdint.h>
#include <string.h>
#include <vector>

namespace {

const char *const kKeys[] = { "UseBmpFont=", "ForceLanguage=" };
const size_t PIECE = 255;   // a line is examined in pieces of this many characters

// A small fixed generator, so that a failing file can be made again from its number.
uint32_t NextRandom(uint32_t *state)
{
    *state ^= *state << 13;
    *state ^= *state >> 17;
    *state ^= *state << 5;
    return *state;
}

std::string RandomText(uint32_t *state, size_t length)
{
    // Printable ASCII and GBK lead/trail bytes; never CR, LF, NUL or Ctrl-Z.
    std::string text;
    while (text.size() < length) {
        uint32_t r = NextRandom(state);
        text += r % 4 == 0 ? (char)(0xB0 + r / 4 % 0x40) : (char)(0x20 + r / 4 % 0x5F);
    }
    return text;
}

std::string RandomLine(uint32_t *state)
{
    static const char *const kLines[] = {
        "[Config]", "[UI_STR]", "UseBmpFont=0", "UseBmpFont=1", "UseBmpFont=", "UseBmpFont=12",
        "ForceLanguage=0", "ForceLanguage=2", "ForceLanguage=", "ForceLanguage=10",
        "usebmpfont=0", "FORCELANGUAGE=1", "Open=Dakai", "", "; [Config] in a comment",
    };
    uint32_t r = NextRandom(state);
    switch (r % 6) {
    case 0: case 1: case 2:
        return kLines[r / 6 % (sizeof kLines / sizeof kLines[0])];
    case 3:     // text with a key somewhere inside it
        return RandomText(state, r / 6 % 40) + kKeys[r / 7 % 2] + RandomText(state, r / 11 % 5);
    case 4: {   // a long line whose end or key lies near the end of a 255-character piece
        static const char *const kValues[] = { "", "0", "12" };
        std::string key = r / 5 % 4 ? kKeys[r / 7 % 2] : "", value = kValues[r / 11 % 3];
        size_t boundary = PIECE * (1 + r / 13 % 2);
        return RandomText(state, boundary - key.size() - value.size() - 14 + r / 29 % 18) + key + value;
    }
    default:
        return RandomText(state, r / 6 % 30) + "=" + RandomText(state, r / 9 % 20);
    }
}

std::string RandomFile(uint32_t *state)
{
    static const char *const kEnds[] = { "\r\n", "\r\n", "\r\n", "\n" };
    std::string file;
    int lines = (int)(NextRandom(state) % 12);
    for (int i = 0; i < lines; i++)
        file += RandomLine(state) + kEnds[NextRandom(state) % 4];
    if (NextRandom(state) % 4 == 0)
        file += RandomLine(state);      // a last line without a line end
    return file;
}

bool HoldsKey(const std::string &line)
{
    return line.find(kKeys[0]) != std::string::npos || line.find(kKeys[1]) != std::string::npos;
}

struct Line {
    std::string text, end;  // end: "\r\n", "\n", or "" for a last line without one
};

std::vector<Line> Lines(const std::string &bytes)
{
    std::vector<Line> lines;
    for (size_t start = 0; start < bytes.size();) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back({ bytes.substr(start), "" });
            break;
        }
        size_t text = end > start && bytes[end - 1] == '\r' ? end - 1 : end;
        lines.push_back({ bytes.substr(start, text - start), bytes.substr(text, end + 1 - text) });
        start = end + 1;
    }
    return lines;
}

// Whether the update can see the key on this line: only whole inside one piece.
bool Seen(const std::string &line, const std::string &key)
{
    for (size_t at = line.find(key); at != std::string::npos; at = line.find(key, at + 1)) {
        if (at / PIECE == (at + key.size() - 1) / PIECE)
            return true;
    }
    return false;
}

size_t Count(const std::string &bytes, const std::string &key)
{
    size_t n = 0;
    for (size_t at = bytes.find(key); at != std::string::npos; at = bytes.find(key, at + 1))
        n++;
    return n;
}

// The line with its key's value replaced by the answer, spaces filling the rest of a longer
// old value; everything before the key and the line end kept.
std::string Answered(const std::string &line, char font, char language)
{
    for (int key = 0; key < 2; key++) {
        size_t at = line.find(kKeys[key]);
        if (at == std::string::npos)
            continue;
        size_t value = at + strlen(kKeys[key]);
        return line.substr(0, value) + (key == 0 ? font : language) +
               std::string(line.size() > value + 1 ? line.size() - value - 1 : 0, ' ');
    }
    return "";
}

// Empty when every old line is either as it was or holds its key with the answer, and a key
// is appended exactly when no line showed it whole; else what went wrong.
std::string CheckKeyLines(const std::string &before, const std::string &after, char font, char language)
{
    std::vector<Line> was = Lines(before), now = Lines(after);
    if (now.size() < was.size())
        return "lines were lost";
    for (size_t i = 0; i < was.size(); i++) {
        bool endKept = now[i].end == was[i].end || (was[i].end.empty() && i + 1 == was.size());
        if (!endKept)
            return "line " + std::to_string(i) + " lost its line end";
        if (now[i].text != was[i].text && now[i].text != Answered(was[i].text, font, language))
            return "line " + std::to_string(i) + " holds neither its old text nor the answer";
    }
    for (const char *key : kKeys) {
        bool seen = false;
        for (const Line &line : was)
            seen = seen || Seen(line.text, key);
        if (Count(after, key) != Count(before, key) + (seen ? 0 : 1))
            return std::string(key) + (seen ? " was appended although a line held it" : " was not appended once");
    }
    return "";
}

// The file without the lines that hold a key, line ends kept.
std::string WithoutKeyLines(const std::string &bytes)
{
    std::string kept;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        end = end == std::string::npos ? bytes.size() : end + 1;
        std::string line = bytes.substr(start, end - start);
        if (!HoldsKey(line))
            kept += line;
        start = end;
    }
    return kept;
}

// Empty when the update kept to its lines and its tail, else what went wrong.
std::string CheckUpdate(const std::string &before, const std::string &after, char font, char language)
{
    if (after.size() < before.size())
        return "the file became shorter";
    std::string kept = WithoutKeyLines(before), now = WithoutKeyLines(after);
    if (now.compare(0, kept.size(), kept) != 0)
        return "a byte outside the key lines changed";
    // What follows the old lines may only be the appended line ends and section header.
    std::string tail = now.substr(kept.size());
    for (size_t at = 0; at < tail.size();) {
        if (tail.compare(at, 2, "\r\n") == 0)
            at += 2;
        else if (tail.compare(at, 8, "[Config]") == 0)
            at += 8;
        else
            return "the appended tail holds more than line ends and the section";
    }
    if (after.find(std::string(kKeys[0]) + font) == std::string::npos ||
        after.find(std::string(kKeys[1]) + language) == std::string::npos)
        return "an answer is missing";
    return CheckKeyLines(before, after, font, language);
}

std::string Escaped(const std::string &bytes)
{
    std::string out;
    for (unsigned char c : bytes) {
        char hex[8];
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n\n";
        else if (c < 0x20 || c >= 0x7F) { snprintf(hex, sizeof hex, "\\x%02X", c); out += hex; }
        else out += (char)c;
    }
    return out;
}

TEST(SettingsRandom, UpdateKeepsToItsLinesAndNeverShortens)
{
    std::string folder = MakeTestFolder();
    std::string path = folder + "\\appcfg.ini";
    UseInstallFolder(folder);
    const int kFiles = 2000;
    int failures = 0;
    for (int n = 0; n < kFiles && failures < 3; n++) {
        uint32_t state = 0x9E3779B9u ^ (uint32_t)(n * 2654435761u);
        std::string before = RandomFile(&state);
        g_displayOk = (int)(NextRandom(&state) % 2);
        g_interfaceLanguage = (int)(NextRandom(&state) % 3);
        WriteText(path, before, NextRandom(&state) % 2 ? FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN : 0);
        UpdateSettingsFile();
        std::string after = ReadText(path);
        std::string fault = CheckUpdate(before, after, g_displayOk ? '0' : '1', (char)('0' + g_interfaceLanguage));
        if (!fault.empty()) {
            failures++;
            ADD_FAILURE() << "file " << n << ": " << fault << "\nbefore:\n" << Escaped(before)
                          << "\nafter:\n" << Escaped(after);
        }
    }
    RemoveTree(folder);
}

} // namespace
