// MakeSampleFile: picks the maker for a catalogue row's kind and holds it to the exact size.
#include "sample_content_internal.h"

static bool MakeByKind(const SampleSpec &spec, const Bytes &exeStub, Bytes *out,
                       std::string *error)
{
    switch (spec.kind) {
    case SAMPLE_DATA:           return MakeData(spec, out, error);
    case SAMPLE_GBK_TABLE:      return MakeGbkTable(spec, out, error);
    case SAMPLE_GBK_TEXT:       return MakeGbkText(spec, out, error);
    case SAMPLE_SETTINGS:       return MakeSettings(spec, out, error);
    case SAMPLE_ASCII_TEXT:     return MakeAsciiText(spec, out, error);
    case SAMPLE_ATLAS:          return SampleFail(error, "atlas comes from the atlas builder");
    case SAMPLE_GB_BIG5_TABLE:  return MakeCodeTable(spec, out, error);
    case SAMPLE_BIG5_GB_TABLE:  return MakeCodeTable(spec, out, error);
    case SAMPLE_EXE:            return MakeExe(spec, exeStub, out, error);
    case SAMPLE_HTML_GB:        return MakeHtml(spec, out, error);
    case SAMPLE_HTML_BIG5:      return MakeHtml(spec, out, error);
    case SAMPLE_BMP:            return MakeBmp(spec, out, error);
    case SAMPLE_PNG:            return MakePng(spec, out, error);
    }
    return SampleFail(error, "unknown sample kind " + std::to_string((int)spec.kind));
}

bool MakeSampleFile(const SampleSpec &spec, const Bytes &exeStub, Bytes *out,
                    std::string *error)
{
    out->clear();
    std::string why;
    bool ok = MakeByKind(spec, exeStub, out, &why);
    // A maker that misjudged the size would corrupt the installer's offsets silently.
    if (ok && out->size() != spec.bytes) {
        ok = false;
        why = "made " + std::to_string(out->size()) + " bytes, catalogue says " +
              std::to_string(spec.bytes);
    }
    if (!ok) {
        out->clear();
        return SampleFail(error, std::string(spec.file ? spec.file : "?") + ": " + why);
    }
    return true;
}
