// MakeSampleFile: picks the maker for a catalogue row's kind and holds it to the exact size.
#include "sample_content_internal.h"

static bool MakeByKind(const SampleSpec &sample, const Bytes &exeStub, Bytes *out,
                       std::string *error)
{
    switch (sample.kind) {
    case SAMPLE_DATA:           return MakeData(sample, out, error);
    case SAMPLE_GBK_TABLE:      return MakeGbkTable(sample, out, error);
    case SAMPLE_GBK_TEXT:       return MakeGbkText(sample, out, error);
    case SAMPLE_SETTINGS:       return MakeSettings(sample, out, error);
    case SAMPLE_ASCII_TEXT:     return MakeAsciiText(sample, out, error);
    case SAMPLE_ATLAS:          return SampleFail(error, "atlas comes from the atlas builder");
    case SAMPLE_GB_BIG5_TABLE:  return MakeCodeTable(sample, out, error);
    case SAMPLE_BIG5_GB_TABLE:  return MakeCodeTable(sample, out, error);
    case SAMPLE_EXE:            return MakeExe(sample, exeStub, out, error);
    case SAMPLE_HTML_GB:        return MakeHtml(sample, out, error);
    case SAMPLE_HTML_BIG5:      return MakeHtml(sample, out, error);
    case SAMPLE_BMP:            return MakeBmp(sample, out, error);
    case SAMPLE_PNG:            return MakePng(sample, out, error);
    }
    return SampleFail(error, "unknown sample kind " + std::to_string((int)sample.kind));
}

bool MakeSampleFile(const SampleSpec &sample, const Bytes &exeStub, Bytes *out,
                    std::string *error)
{
    out->clear();
    std::string why;
    bool ok = MakeByKind(sample, exeStub, out, &why);
    // A maker that misjudged the size would corrupt the installer's offsets silently.
    if (ok && out->size() != sample.bytes) {
        ok = false;
        why = "made " + std::to_string(out->size()) + " bytes, catalogue says " +
              std::to_string(sample.bytes);
    }
    if (!ok) {
        out->clear();
        return SampleFail(error, std::string(sample.file ? sample.file : "?") + ": " + why);
    }
    return true;
}
