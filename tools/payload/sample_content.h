// Sample product files for the payload: well-formed files of each catalogue kind,
// deterministic, exactly as long as the catalogue says.
#pragma once
#include <string>
#include <vector>

typedef std::vector<unsigned char> Bytes;

// One value per "kind" column of install/catalogue_rows.h (prefixed SAMPLE_).
enum SampleKind {
    SAMPLE_DATA,            // non-text data; first byte has its top bit set
    SAMPLE_GBK_TABLE,       // GBK character table
    SAMPLE_GBK_TEXT,        // GBK text
    SAMPLE_SETTINGS,        // appcfg.ini
    SAMPLE_ASCII_TEXT,      // text, mostly ASCII
    SAMPLE_ATLAS,           // the glyph atlas (made by tools/atlas, not here)
    SAMPLE_GB_BIG5_TABLE,   // GBK -> Big5 code table
    SAMPLE_BIG5_GB_TABLE,   // Big5 -> GBK code table
    SAMPLE_EXE,             // runnable Windows executable
    SAMPLE_HTML_GB,         // HTML page declaring charset gb2312
    SAMPLE_HTML_BIG5,       // HTML page declaring charset big5
    SAMPLE_BMP,             // BMP of width x height at bitsPerPixel (1, 8 or 24)
    SAMPLE_PNG              // PNG of width x height
};

struct SampleSpec {
    int n;                  // catalogue position, 1-100
    int id;                 // resource ID
    const char *file;       // installed file name
    SampleKind kind;
    int width, height, bitsPerPixel;
    unsigned bytes;         // exact size of the file
};

// Makes the sample file for one catalogue row. exeStub is a small runnable PE that
// SAMPLE_EXE pads up to sample.bytes. On failure returns false and says why in error.
bool MakeSampleFile(const SampleSpec &sample, const Bytes &exeStub, Bytes *out,
                    std::string *error);

// The installer's licence texts: GBK (Chinese) and ASCII (English), CR LF line ends,
// each ending with CR LF and shorter than 65,536 bytes. Chinese lines are at most
// 50 bytes and use only GB2312 characters that the glyph atlas draws.
Bytes MakeChineseLicence();
Bytes MakeEnglishLicence();
