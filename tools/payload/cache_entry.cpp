// The cache entry's layout: magic, the encoder identity, the plain size and CRC-32, the
// stream's size and CRC-32, then the stream. All numbers little-endian.
#include "payload/cache_entry.h"
#include <algorithm>
#include <string.h>
#include <zlib.h>

static const char kMagic[4] = { 'P', 'Z', 'C', '1' };

static unsigned long Crc(const Bytes &bytes)
{
    return crc32(crc32(0L, Z_NULL, 0), bytes.data(), (uInt)bytes.size());
}

static void PutNumber(Bytes *out, unsigned long long value, int bytes)
{
    for (int i = 0; i < bytes; i++)
        out->push_back((unsigned char)(value >> (8 * i)));
}

// Reads a number at *at and moves past it; false when the entry ends first.
static bool GetNumber(const Bytes &in, size_t *at, int bytes, unsigned long long *value)
{
    if (in.size() - *at < (size_t)bytes)
        return false;
    *value = 0;
    for (int i = 0; i < bytes; i++)
        *value |= (unsigned long long)in[*at + i] << (8 * i);
    *at += bytes;
    return true;
}

Bytes MakeCacheEntry(const std::string &identity, const Bytes &plain, const Bytes &packed)
{
    Bytes entry(kMagic, kMagic + sizeof kMagic);
    PutNumber(&entry, identity.size(), 4);
    entry.insert(entry.end(), identity.begin(), identity.end());
    PutNumber(&entry, plain.size(), 8);
    PutNumber(&entry, Crc(plain), 4);
    PutNumber(&entry, packed.size(), 4);
    PutNumber(&entry, Crc(packed), 4);
    entry.insert(entry.end(), packed.begin(), packed.end());
    return entry;
}

// The header must name this identity and these plain bytes, and the stream must be whole.
static bool HeaderMatches(const Bytes &entry, const std::string &identity, const Bytes &plain,
                          size_t *streamAt, unsigned long long *streamSize,
                          unsigned long long *streamCrc)
{
    size_t at = sizeof kMagic;
    unsigned long long nameSize, plainSize, plainCrc;
    if (entry.size() < at || memcmp(entry.data(), kMagic, at) != 0 ||
        !GetNumber(entry, &at, 4, &nameSize) || nameSize != identity.size() ||
        entry.size() - at < nameSize || memcmp(&entry[at], identity.data(), nameSize) != 0)
        return false;
    at += nameSize;
    if (!GetNumber(entry, &at, 8, &plainSize) || plainSize != plain.size() ||
        !GetNumber(entry, &at, 4, &plainCrc) || plainCrc != Crc(plain) ||
        !GetNumber(entry, &at, 4, streamSize) || !GetNumber(entry, &at, 4, streamCrc))
        return false;
    *streamAt = at;
    return entry.size() - at == *streamSize;
}

// One zlib stream using all of its bytes and giving exactly the plain bytes.
static bool InflatesTo(const Bytes &packed, const Bytes &plain)
{
    Bytes out(plain.size() + 1);
    uLongf outSize = out.size();
    uLong inSize = packed.size();
    return uncompress2(out.data(), &outSize, packed.data(), &inSize) == Z_OK &&
           inSize == packed.size() && outSize == plain.size() &&
           std::equal(plain.begin(), plain.end(), out.begin());
}

bool TakeCachedStream(const Bytes &entry, const std::string &identity, const Bytes &plain,
                      Bytes *packed)
{
    size_t at;
    unsigned long long size, crc;
    if (!HeaderMatches(entry, identity, plain, &at, &size, &crc))
        return false;
    Bytes stream(entry.begin() + at, entry.end());
    if (Crc(stream) != crc || !InflatesTo(stream, plain))
        return false;
    packed->swap(stream);
    return true;
}
