// Sample binary code tables between GBK and Big5, built from what iconv converts.
#include "sample_content_internal.h"
#include <iconv.h>

// Table layout: 4-byte tag, entry count (LE32), then entries of source code and target
// code (two bytes each, lead byte first) sorted by source code, then zero bytes.
enum { TABLE_HEADER_BYTES = 8, TABLE_ENTRY_BYTES = 4 };

// Trail bytes run 0x40-0x7E, then from upperTrail to 0xFE.
struct CodeSpace {
    const char *iconvName;
    unsigned firstLead, lastLead, upperTrail;
};

static const CodeSpace kGbkSpace = { "GBK", 0x81, 0xFE, 0x80 };
static const CodeSpace kBig5Space = { "BIG5", 0xA1, 0xF9, 0xA1 };

static bool IsTrailByte(const CodeSpace &space, unsigned trail)
{
    return (trail >= 0x40 && trail <= 0x7E) || (trail >= space.upperTrail && trail <= 0xFE);
}

// The target code of one double-byte character, or 0 if it has none of exactly two bytes.
static unsigned ConvertCode(iconv_t cd, unsigned code)
{
    char in[2] = { (char)(code >> 8), (char)(code & 0xFF) };
    char converted[8];
    char *inPtr = in, *outPtr = converted;
    size_t inLeft = sizeof in, outLeft = sizeof converted;
    iconv(cd, NULL, NULL, NULL, NULL);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == (size_t)-1 || inLeft != 0)
        return 0;
    if (sizeof converted - outLeft != 2 || (unsigned char)converted[0] < 0x81)
        return 0;
    return (unsigned char)converted[0] << 8 | (unsigned char)converted[1];
}

static void AppendEntries(iconv_t cd, const CodeSpace &from, size_t maxEntries, Bytes *entries)
{
    for (unsigned lead = from.firstLead; lead <= from.lastLead; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            if (entries->size() / TABLE_ENTRY_BYTES >= maxEntries)
                return;
            if (!IsTrailByte(from, trail))
                continue;
            unsigned source = lead << 8 | trail;
            unsigned target = ConvertCode(cd, source);
            if (target == 0)
                continue;
            AppendGbkCode(entries, source);
            AppendGbkCode(entries, target);
        }
    }
}

bool MakeCodeTable(const SampleSpec &sample, Bytes *out, std::string *error)
{
    bool gbToBig5 = sample.kind == SAMPLE_GB_BIG5_TABLE;
    const CodeSpace &from = gbToBig5 ? kGbkSpace : kBig5Space;
    const CodeSpace &to = gbToBig5 ? kBig5Space : kGbkSpace;
    if (sample.bytes < TABLE_HEADER_BYTES)
        return SampleFail(error, "code table smaller than its header");

    iconv_t cd = iconv_open(to.iconvName, from.iconvName);
    if (cd == (iconv_t)-1)
        return SampleFail(error, std::string("iconv cannot convert ") + from.iconvName +
                                     " to " + to.iconvName);
    Bytes entries;
    AppendEntries(cd, from, (sample.bytes - TABLE_HEADER_BYTES) / TABLE_ENTRY_BYTES, &entries);
    iconv_close(cd);

    out->clear();
    AppendText(out, gbToBig5 ? "GB5T" : "B5GT");
    PutLe32(out, (uint32_t)(entries.size() / TABLE_ENTRY_BYTES));
    out->insert(out->end(), entries.begin(), entries.end());
    out->resize(sample.bytes, 0);
    return true;
}
