// Build-time generator of the installer's compressed payload and its resource script.
//
//   gen_payload --out DIR --unifont HEX --stub EXE [--product-dir DIR] [--ctlset FILE]
//   gen_payload --test-items DIR
//
// Each item becomes one zlib stream at level 9 in DIR/<id>.z; DIR/payload.rc lists them
// as "TEXT" resources, followed by DIR/checks.bin, the CRC-32 of every stored item, which
// the installer verifies before it touches the disk. Without --product-dir the product's
// files are generated samples.
#include "atlas/atlas.h"
#include "payload/catalogue_host.h"
#include "payload/sample_content.h"
#include "render/glyph_cell.h"
#include "resources/resource.h"
#include <dirent.h>
#include <set>
#include <stdio.h>
#include <string.h>
#include <string>
#include <zlib.h>

enum { ID_LICENCE_CHINESE = 124, ID_LICENCE_ENGLISH = 161, ID_ATLAS = 110 };

static const char kLicenceChineseName[] = "licence-zh.txt";
static const char kLicenceEnglishName[] = "licence-en.txt";

static bool Fail(const std::string &message)
{
    fprintf(stderr, "gen_payload: %s\n", message.c_str());
    return false;
}

static bool ReadFile(const std::string &path, Bytes *out)
{
    FILE *file = fopen(path.c_str(), "rb");
    if (!file)
        return false;
    out->clear();
    unsigned char chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, file)) > 0)
        out->insert(out->end(), chunk, chunk + n);
    bool ok = !ferror(file);
    fclose(file);
    return ok;
}

static bool WriteFile(const std::string &path, const Bytes &bytes)
{
    FILE *file = fopen(path.c_str(), "wb");
    if (!file)
        return Fail("cannot write " + path);
    bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = fclose(file) == 0 && ok;
    return ok ? true : Fail("cannot write " + path);
}

static bool Compress(const Bytes &plain, Bytes *packed)
{
    uLongf size = compressBound(plain.size());
    packed->resize(size);
    if (compress2(packed->data(), &size, plain.data(), plain.size(), Z_BEST_COMPRESSION) != Z_OK)
        return false;
    packed->resize(size);
    return true;
}

static void PutWord(Bytes *out, unsigned long word)
{
    for (int shift = 0; shift < 32; shift += 8)
        out->push_back((unsigned char)(word >> shift));
}

// One entry of the check table: the item's ID and the CRC-32 of its stored bytes.
static void AddCheck(Bytes *checks, int id, const Bytes &packed)
{
    PutWord(checks, (unsigned long)id);
    PutWord(checks, crc32(crc32(0L, Z_NULL, 0), packed.data(), (uInt)packed.size()));
}

// Writes the check table and its line of the resource script.
static bool EmitChecks(const std::string &dir, const Bytes &checks, FILE *script)
{
    if (!WriteFile(dir + "/checks.bin", checks))
        return false;
    fprintf(script, "%d %s \"%s/checks.bin\"\n", IDR_PAYLOAD_CHECKS, RT_PAYLOAD_CHECKS, dir.c_str());
    return true;
}

// Writes one packed item and its line of the resource script, and notes its check.
static bool EmitPacked(const std::string &dir, int id, const Bytes &packed, FILE *script,
                       Bytes *checks, const char *language = NULL)
{
    std::string name = std::to_string(id) + ".z";
    if (!WriteFile(dir + "/" + name, packed))
        return false;
    AddCheck(checks, id, packed);
    if (language)
        fprintf(script, "LANGUAGE %s\n", language);
    fprintf(script, "%d TEXT \"%s/%s\"\n", id, dir.c_str(), name.c_str());
    if (language)
        fprintf(script, "LANGUAGE 0, 0\n");
    return true;
}

static bool EmitItem(const std::string &dir, int id, const Bytes &plain, FILE *script,
                     Bytes *checks, const char *language = NULL)
{
    Bytes packed;
    if (!Compress(plain, &packed))
        return Fail("compression failed for item " + std::to_string(id));
    return EmitPacked(dir, id, packed, script, checks, language);
}

// A real product folder must hold exactly the catalogue's files and the two licences.
static bool CheckProductFolder(const std::string &dir)
{
    std::set<std::string> expected = { kLicenceChineseName, kLicenceEnglishName };
    for (const SampleSpec &sample : kSampleCatalogue)
        expected.insert(sample.file);

    DIR *listing = opendir(dir.c_str());
    if (!listing)
        return Fail("product folder " + dir + " cannot be read");
    std::set<std::string> present;
    while (dirent *entry = readdir(listing))
        if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0)
            present.insert(entry->d_name);
    closedir(listing);

    bool ok = true;
    for (const std::string &name : expected)
        if (!present.count(name))
            ok = Fail("product folder lacks " + name);
    for (const std::string &name : present)
        if (!expected.count(name))
            ok = Fail("product folder holds " + name + ", which the catalogue does not list");
    return ok;
}

static bool LoadProductFile(const std::string &dir, const char *name, Bytes *out)
{
    return ReadFile(dir + "/" + name, out) ? true : Fail("cannot read " + dir + "/" + name);
}

// The control-set file is opaque to the installer; the sample is a small table.
static Bytes MakeSampleControlSet()
{
    Bytes bytes = { 'C', 'T', 'L', 'S', 'E', 'T', '2', 0x1A };
    for (int i = 0; i < 248; i++)
        bytes.push_back((unsigned char)(i * 7 + 3));
    return bytes;
}

static bool GeneratePayload(const std::string &out, const char *unifont, const char *stubPath,
                            const char *productDir, const char *ctlsetPath)
{
    Bytes stub, atlas, licenceChinese, licenceEnglish;
    std::string error;
    if (productDir) {
        if (!CheckProductFolder(productDir) ||
            !LoadProductFile(productDir, kLicenceChineseName, &licenceChinese) ||
            !LoadProductFile(productDir, kLicenceEnglishName, &licenceEnglish))
            return false;
    } else {
        if (!unifont || !stubPath)
            return Fail("--unifont and --stub are needed for the sample payload");
        if (!ReadFile(stubPath, &stub))
            return Fail(std::string("cannot read ") + stubPath);
        if (!BuildGlyphAtlas(unifont, &atlas, &error))
            return Fail(error);
        licenceChinese = MakeChineseLicence();
        licenceEnglish = MakeEnglishLicence();
    }

    std::string scriptPath = out + "/payload.rc";
    FILE *script = fopen(scriptPath.c_str(), "w");
    if (!script)
        return Fail("cannot write " + scriptPath);
    fprintf(script, "// Generated by gen_payload: the compressed payload items.\n");

    bool ok = true;
    Bytes checks;
    for (const SampleSpec &sample : kSampleCatalogue) {
        Bytes plain;
        if (productDir)
            ok = LoadProductFile(productDir, sample.file, &plain);
        else if (sample.kind == SAMPLE_ATLAS)
            plain = atlas;
        else if (!MakeSampleFile(sample, stub, &plain, &error))
            ok = Fail(std::string(sample.file) + ": " + error);
        if (ok && sample.kind == SAMPLE_ATLAS && plain.size() != ATLAS_BYTES)
            ok = Fail(std::string(sample.file) + " is not a glyph atlas of the expected size");
        if (ok && !productDir && plain.size() != sample.bytes)
            ok = Fail(std::string(sample.file) + " came out at the wrong size");
        if (!ok || !EmitItem(out, sample.id, plain, script, &checks)) {
            ok = false;
            break;
        }
    }
    ok = ok && EmitItem(out, ID_LICENCE_CHINESE, licenceChinese, script, &checks) &&
         EmitItem(out, ID_LICENCE_ENGLISH, licenceEnglish, script, &checks) &&
         EmitChecks(out, checks, script);
    ok = (fclose(script) == 0) && ok;
    if (ok && ctlsetPath)
        ok = WriteFile(ctlsetPath, MakeSampleControlSet());
    return ok;
}

// Small items for the installer's own tests: the edge cases of decompression.
static bool GenerateTestItems(const std::string &out)
{
    std::string scriptPath = out + "/test_items.rc";
    FILE *script = fopen(scriptPath.c_str(), "w");
    if (!script)
        return Fail("cannot write " + scriptPath);
    fprintf(script, "// Generated by gen_payload: items for the extraction tests.\n");

    Bytes pattern(1000);
    for (size_t i = 0; i < pattern.size(); i++)
        pattern[i] = (unsigned char)(i * 31 + i / 7);
    Bytes packed, badChecksum, checks;
    bool ok = Compress(pattern, &packed);
    badChecksum = packed;
    badChecksum.back() ^= 0x01;

    ok = ok && EmitItem(out, 1, Bytes(), script, &checks);            // inflates to nothing
    ok = ok && EmitItem(out, 2, pattern, script, &checks);            // 1,000 bytes
    ok = ok && EmitItem(out, 5, pattern, script, &checks, "9, 1");    // same, stored as US English
    ok = ok && EmitPacked(out, 3, badChecksum, script, &checks);      // wrong Adler-32
    // Checks the installer must refuse: 6 stored with a CRC that does not match, 4 listed
    // but never stored; 7 is stored but not listed.
    ok = ok && EmitPacked(out, 6, packed, script, &checks);
    if (ok)
        checks[checks.size() - 4] ^= 0x01;
    PutWord(&checks, 4);
    PutWord(&checks, 0);
    Bytes unlisted;
    ok = ok && EmitPacked(out, 7, packed, script, &unlisted);
    ok = ok && EmitChecks(out, checks, script);
    ok = (fclose(script) == 0) && ok;
    return ok;
}

int main(int argc, char **argv)
{
    const char *out = NULL, *unifont = NULL, *stub = NULL, *product = NULL, *ctlset = NULL;
    const char *testItems = NULL;
    for (int i = 1; i + 1 < argc; i += 2) {
        const char *option = argv[i], *value = argv[i + 1];
        if (!strcmp(option, "--out")) out = value;
        else if (!strcmp(option, "--unifont")) unifont = value;
        else if (!strcmp(option, "--stub")) stub = value;
        else if (!strcmp(option, "--product-dir")) product = value;
        else if (!strcmp(option, "--ctlset")) ctlset = value;
        else if (!strcmp(option, "--test-items")) testItems = value;
        else return Fail(std::string("unknown option ") + option), 2;
    }
    if (testItems)
        return GenerateTestItems(testItems) ? 0 : 1;
    if (!out)
        return Fail("usage: gen_payload --out DIR --unifont HEX --stub EXE [--product-dir DIR] [--ctlset FILE]"), 2;
    return GeneratePayload(out, unifont, stub, product && *product ? product : NULL, ctlset) ? 0 : 1;
}
