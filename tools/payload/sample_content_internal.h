// Shared helpers and per-kind makers behind MakeSampleFile; private to tools/payload.
#pragma once
#include "sample_content.h"
#include <stdint.h>
#include <string>

// xorshift32: the same stream on every compiler and library, unlike std distributions.
struct SamplePrng {
    uint32_t state;
};

SamplePrng SeedPrng(int resourceId);
uint32_t NextRandom(SamplePrng *prng);
// A value in [0, limit); the slight modulo bias does not matter for sample data.
unsigned RandomBelow(SamplePrng *prng, unsigned limit);

bool SampleFail(std::string *error, const std::string &why);

void PutLe16(Bytes *out, unsigned value);
void PutLe32(Bytes *out, uint32_t value);
void PutBe32(Bytes *out, uint32_t value);
void AppendText(Bytes *out, const std::string &text);
void AppendCrLf(Bytes *out);

// Converts UTF-8 text to charset ("GBK" or "BIG5") with iconv; false if any character
// has no code there.
bool EncodeUtf8(const char *charset, const std::string &utf8, Bytes *out, std::string *error);

// The GB2312 hanzi (rows 16-87 less the five empty cells of row 55), in code order.
enum { GB2312_HANZI_COUNT = 6763 };
unsigned Gb2312HanziCode(int index);
void AppendGbkCode(Bytes *out, unsigned code);

// Appends whole lines (each already ending CR LF) while they fit below target, never
// leaving exactly one byte over, which no CR LF line could fill.
bool AppendLineIfRoom(Bytes *out, const Bytes &line, size_t target);
// Fills up to target with ASCII comment lines: marker, then filler repeated to the line's
// length. Needs the remaining room to be zero or at least two bytes.
void PadWithAsciiLines(Bytes *out, size_t target, const std::string &marker,
                       const std::string &filler);

bool MakeBmp(const SampleSpec &sample, Bytes *out, std::string *error);
bool MakePng(const SampleSpec &sample, Bytes *out, std::string *error);
bool MakeGbkText(const SampleSpec &sample, Bytes *out, std::string *error);
bool MakeGbkTable(const SampleSpec &sample, Bytes *out, std::string *error);
bool MakeAsciiText(const SampleSpec &sample, Bytes *out, std::string *error);
bool MakeHtml(const SampleSpec &sample, Bytes *out, std::string *error);
bool MakeCodeTable(const SampleSpec &sample, Bytes *out, std::string *error);
bool MakeSettings(const SampleSpec &sample, Bytes *out, std::string *error);
bool MakeData(const SampleSpec &sample, Bytes *out, std::string *error);
bool MakeExe(const SampleSpec &sample, const Bytes &exeStub, Bytes *out, std::string *error);
