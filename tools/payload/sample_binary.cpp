// Sample non-text data files, and programs made from the PE stub plus a filler overlay.
#include "sample_content_internal.h"
#include <string.h>

// Data file layout: a 16-byte header, then 16-byte records shaped like word-base entries
// (rising key, weight, syllable, letter code, hanzi, flags). The header's first byte
// always has its top bit set: the installer tells these files from text by that byte.
enum { DATA_HEADER_BYTES = 16, DATA_RECORD_BYTES = 16, DATA_VERSION = 1 };

static void PutLe16At(unsigned char *p, unsigned value)
{
    p[0] = (unsigned char)(value & 0xFF);
    p[1] = (unsigned char)(value >> 8);
}

static void PutLe32At(unsigned char *p, uint32_t value)
{
    PutLe16At(p, value & 0xFFFF);
    PutLe16At(p + 2, value >> 16);
}

static void WriteDataHeader(const SampleSpec &sample, uint32_t records, unsigned char *p)
{
    memset(p, 0, DATA_HEADER_BYTES);
    p[0] = (unsigned char)(0x80 | (sample.id & 0x7F));
    memcpy(p + 1, "PDRL", 4);
    PutLe16At(p + 5, DATA_VERSION);
    PutLe16At(p + 7, DATA_RECORD_BYTES);
    PutLe32At(p + 9, records);
}

// Records draw their entry from a per-file vocabulary of VOCABULARY_SIZE entries (syllable,
// letter code, hanzi) that zlib finds again within its window, while key and weight vary:
// the files pack to about half, like real dictionary data, so the installer's
// decompression does realistic work.
enum { VOCABULARY_SIZE = 1024, VOCABULARY_ENTRY_BYTES = 8 };

static void MakeVocabulary(SamplePrng *prng, unsigned char *vocabulary)
{
    for (int i = 0; i < VOCABULARY_SIZE; ++i) {
        unsigned char *p = vocabulary + i * VOCABULARY_ENTRY_BYTES;
        uint32_t r = NextRandom(prng);
        PutLe16At(p, r % 410);
        for (int k = 0; k < 4; ++k)
            p[2 + k] = (unsigned char)('a' + RandomBelow(prng, 26));
        p[6] = (unsigned char)(0xB0 + (r >> 16) % 40);
        p[7] = (unsigned char)(0xA1 + (r >> 24) % 94);
    }
}

static void WriteDataRecord(SamplePrng *prng, const unsigned char *vocabulary, uint32_t *key,
                            unsigned char *p)
{
    uint32_t a = NextRandom(prng);
    *key += 1 + (a & 7);
    PutLe32At(p, *key);
    PutLe16At(p + 4, ((a >> 3) & 0x3FF) >> ((a >> 13) & 7));     // mostly small weights
    unsigned pick = (a >> 16) % VOCABULARY_SIZE;
    memcpy(p + 6, vocabulary + pick * VOCABULARY_ENTRY_BYTES, VOCABULARY_ENTRY_BYTES);
    p[14] = (unsigned char)((a >> 26) & 0x03);
    p[15] = 0;
}

bool MakeData(const SampleSpec &sample, Bytes *out, std::string *error)
{
    if (sample.bytes < DATA_HEADER_BYTES)
        return SampleFail(error, "data file smaller than its header");
    size_t payload = sample.bytes - DATA_HEADER_BYTES;
    uint32_t records = (uint32_t)(payload / DATA_RECORD_BYTES);

    out->assign(sample.bytes, 0);
    unsigned char *p = out->data();
    WriteDataHeader(sample, records, p);
    SamplePrng prng = SeedPrng(sample.id);
    unsigned char vocabulary[VOCABULARY_SIZE * VOCABULARY_ENTRY_BYTES];
    MakeVocabulary(&prng, vocabulary);
    uint32_t key = 0;
    unsigned char *end = p + sample.bytes;
    for (p += DATA_HEADER_BYTES; end - p >= DATA_RECORD_BYTES; p += DATA_RECORD_BYTES)
        WriteDataRecord(&prng, vocabulary, &key, p);
    // The tail shorter than a record still carries record-like bytes, not zeros.
    unsigned char last[DATA_RECORD_BYTES];
    WriteDataRecord(&prng, vocabulary, &key, last);
    memcpy(p, last, (size_t)(end - p));
    return true;
}

// ---- programs ----

enum {
    PE_OFFSET_FIELD = 0x3C,
    COFF_HEADER_BYTES = 20,
    SECTION_HEADER_BYTES = 40
};

static uint32_t ReadLe32(const Bytes &b, size_t at)
{
    return (uint32_t)b[at] | (uint32_t)b[at + 1] << 8 | (uint32_t)b[at + 2] << 16 |
           (uint32_t)b[at + 3] << 24;
}

static unsigned ReadLe16(const Bytes &b, size_t at)
{
    return (unsigned)b[at] | (unsigned)b[at + 1] << 8;
}

// The overlay goes after the stub's last byte, so every section must lie inside the stub:
// a truncated stub would otherwise have filler read as code.
static bool CheckPeStub(const Bytes &stub, std::string *error)
{
    if (stub.size() < PE_OFFSET_FIELD + 4 || stub[0] != 'M' || stub[1] != 'Z')
        return SampleFail(error, "stub is not an MZ executable");
    size_t pe = ReadLe32(stub, PE_OFFSET_FIELD);
    if (pe > stub.size() - 4 - COFF_HEADER_BYTES || memcmp(&stub[pe], "PE\0\0", 4) != 0)
        return SampleFail(error, "stub has no PE header");
    size_t coff = pe + 4;
    unsigned sections = ReadLe16(stub, coff + 2);
    size_t table = coff + COFF_HEADER_BYTES + ReadLe16(stub, coff + 16);
    if (table + (size_t)sections * SECTION_HEADER_BYTES > stub.size())
        return SampleFail(error, "stub's section table runs past its end");
    for (unsigned i = 0; i < sections; ++i) {
        size_t header = table + (size_t)i * SECTION_HEADER_BYTES;
        uint64_t rawEnd = (uint64_t)ReadLe32(stub, header + 20) + ReadLe32(stub, header + 16);
        if (rawEnd > stub.size())
            return SampleFail(error, "stub's section " + std::to_string(i) +
                                         " runs past its end");
    }
    return true;
}

bool MakeExe(const SampleSpec &sample, const Bytes &exeStub, Bytes *out, std::string *error)
{
    if (!CheckPeStub(exeStub, error))
        return false;
    if (exeStub.size() >= sample.bytes)
        return SampleFail(error, "stub of " + std::to_string(exeStub.size()) +
                                     " bytes leaves no room below " + std::to_string(sample.bytes));
    *out = exeStub;
    out->reserve(sample.bytes);
    std::string filler = std::string("Pendrel Writer sample program ") + sample.file + "\r\n";
    while (out->size() < sample.bytes)
        out->push_back((unsigned char)filler[(out->size() - exeStub.size()) % filler.size()]);
    return true;
}
