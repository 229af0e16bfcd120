// Helpers every sample maker shares: PRNG, byte writers, iconv, GB2312 codes, padding.
#include "sample_content_internal.h"
#include <errno.h>
#include <iconv.h>

SamplePrng SeedPrng(int resourceId)
{
    // Spread neighbouring IDs apart and keep the state non-zero, which xorshift needs.
    uint32_t s = (uint32_t)resourceId * 0x9E3779B9u ^ 0xA5F1523Du;
    SamplePrng prng = { s != 0 ? s : 1u };
    for (int i = 0; i < 8; ++i)
        NextRandom(&prng);
    return prng;
}

uint32_t NextRandom(SamplePrng *prng)
{
    uint32_t x = prng->state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    prng->state = x;
    return x;
}

unsigned RandomBelow(SamplePrng *prng, unsigned limit)
{
    return limit == 0 ? 0 : NextRandom(prng) % limit;
}

bool SampleFail(std::string *error, const std::string &why)
{
    if (error)
        *error = why;
    return false;
}

void PutLe16(Bytes *out, unsigned value)
{
    out->push_back((unsigned char)(value & 0xFF));
    out->push_back((unsigned char)((value >> 8) & 0xFF));
}

void PutLe32(Bytes *out, uint32_t value)
{
    PutLe16(out, value & 0xFFFF);
    PutLe16(out, value >> 16);
}

void PutBe32(Bytes *out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out->push_back((unsigned char)((value >> shift) & 0xFF));
}

void AppendText(Bytes *out, const std::string &text)
{
    out->insert(out->end(), text.begin(), text.end());
}

void AppendCrLf(Bytes *out)
{
    out->push_back('\r');
    out->push_back('\n');
}

bool EncodeUtf8(const char *charset, const std::string &utf8, Bytes *out, std::string *error)
{
    iconv_t cd = iconv_open(charset, "UTF-8");
    if (cd == (iconv_t)-1)
        return SampleFail(error, std::string("iconv cannot convert UTF-8 to ") + charset);

    // No character grows when going from UTF-8 to a double-byte charset.
    std::string in = utf8;
    Bytes buffer(in.size() + 4);
    char *inPtr = &in[0];
    size_t inLeft = in.size();
    char *outPtr = (char *)buffer.data();
    size_t outLeft = buffer.size();
    size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    int savedErrno = errno;
    iconv_close(cd);
    if (rc == (size_t)-1) {
        size_t at = in.size() - inLeft;
        return SampleFail(error, std::string("no ") + charset + " code for text at byte " +
                                     std::to_string(at) + " (errno " +
                                     std::to_string(savedErrno) + ")");
    }
    buffer.resize(buffer.size() - outLeft);
    *out = buffer;
    return true;
}

unsigned Gb2312HanziCode(int index)
{
    // Row 55 (lead 0xD7) stops at cell 89, so every later index shifts by five cells.
    const int firstRowCells = 94 * (0xD7 - 0xB0) + 89;
    int cell = index < firstRowCells ? index : index + 5;
    unsigned lead = 0xB0 + cell / 94;
    unsigned trail = 0xA1 + cell % 94;
    return lead << 8 | trail;
}

void AppendGbkCode(Bytes *out, unsigned code)
{
    out->push_back((unsigned char)(code >> 8));
    out->push_back((unsigned char)(code & 0xFF));
}

bool AppendLineIfRoom(Bytes *out, const Bytes &line, size_t target)
{
    if (out->size() + line.size() > target || target - out->size() - line.size() == 1)
        return false;
    out->insert(out->end(), line.begin(), line.end());
    return true;
}

void PadWithAsciiLines(Bytes *out, size_t target, const std::string &marker,
                       const std::string &filler)
{
    const size_t fullLine = 74;
    while (out->size() < target) {
        size_t room = target - out->size();
        if (room == 1) {
            out->push_back(' ');
            break;
        }
        size_t take = room <= fullLine ? room : (room - fullLine == 1 ? fullLine - 1 : fullLine);
        std::string text = marker;
        while (text.size() < take - 2)
            text += filler;
        text.resize(take - 2);
        AppendText(out, text);
        AppendCrLf(out);
    }
}
