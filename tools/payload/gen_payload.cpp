// Build-time generator of the installer's compressed payload and its resource script.
//
//   gen_payload --out DIR --unifont HEX --stub EXE [--product-dir DIR] [--ctlset FILE]
//               [--encoder zopfli|zlib9] [--iterations N] [--cache DIR] [--jobs N]
//   gen_payload --test-items DIR
//
// Each item becomes one zlib stream in DIR/<id>.z, written with zopfli (or, for a quick
// build, zlib at level 9) and kept in the item cache so that only a changed file is
// compressed again; DIR/payload.rc lists them as "TEXT" resources, followed by
// DIR/checks.bin, the CRC-32 of every stored item, which the installer verifies before it
// touches the disk. Without --product-dir the product's files are generated samples.
#include "payload/item_cache.h"
#include "payload/pack_items.h"
#include "payload/payload_items.h"
#include "resources/resource.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <thread>
#include <time.h>
#include <zlib.h>

static bool Fail(const std::string &message)
{
    fprintf(stderr, "gen_payload: %s\n", message.c_str());
    return false;
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

// Entries unused this long leave the item cache.
static const long kCacheMaxAge = 30L * 24 * 3600;
// Plain bytes of cache hits compressed again on every run (a few tenths of a second).
static const size_t kRecheckBytes = 128 * 1024;

// The test items are few and small: zlib at level 9, never cached.
static bool Compress(const Bytes &plain, Bytes *packed)
{
    return EncodeItem(EncoderSettings{ ENCODER_ZLIB9, 0 }, plain, packed);
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

// The control-set file is opaque to the installer; the sample is a small table.
static Bytes MakeSampleControlSet()
{
    Bytes bytes = { 'C', 'T', 'L', 'S', 'E', 'T', '2', 0x1A };
    for (int i = 0; i < 248; i++)
        bytes.push_back((unsigned char)(i * 7 + 3));
    return bytes;
}

// What the build log shows of the run: where the streams came from and how long it took.
static void Report(const PackRequest &request, const std::vector<Bytes> &packed,
                   const PackCounts &counts, double seconds)
{
    unsigned long long total = 0;
    for (const Bytes &stream : packed)
        total += stream.size();
    char encoder[48];
    if (request.settings.encoder == ENCODER_ZOPFLI)
        snprintf(encoder, sizeof encoder, "zopfli, %d iterations", request.settings.iterations);
    else
        snprintf(encoder, sizeof encoder, "zlib level 9");
    printf("gen_payload: %zu items, %llu bytes (%s): %d compressed, %d from the cache "
           "(%d of them compressed again to check), %.1f s\n",
           packed.size(), total, encoder, counts.encoded, counts.fromCache, counts.rechecked,
           seconds);
}

static double Now()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

static bool PackAndEmit(const std::string &out, const PackRequest &request,
                        const std::vector<PlainItem> &items)
{
    double start = Now();
    std::vector<Bytes> packed;
    PackCounts counts;
    std::string error;
    if (!PackItems(request, items, &packed, &counts, &error))
        return Fail(error);
    if (!request.cacheDir.empty())
        CachePrune(request.cacheDir, kCacheMaxAge);
    Report(request, packed, counts, Now() - start);

    std::string scriptPath = out + "/payload.rc";
    FILE *script = fopen(scriptPath.c_str(), "w");
    if (!script)
        return Fail("cannot write " + scriptPath);
    fprintf(script, "// Generated by gen_payload: the compressed payload items.\n");
    bool ok = true;
    Bytes checks;
    for (size_t i = 0; ok && i < items.size(); i++)
        ok = EmitPacked(out, items[i].id, packed[i], script, &checks);
    ok = ok && EmitChecks(out, checks, script);
    return (fclose(script) == 0) && ok;
}

static bool GeneratePayload(const std::string &out, const PackRequest &request,
                            const char *unifont, const char *stubPath,
                            const char *productDir, const char *ctlsetPath)
{
    std::vector<PlainItem> items;
    if (!CollectItems(unifont, stubPath, productDir, &items) ||
        !PackAndEmit(out, request, items))
        return false;
    return ctlsetPath ? WriteFile(ctlsetPath, MakeSampleControlSet()) : true;
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

static bool ParseEncoder(const char *name, EncoderSettings *settings)
{
    if (!strcmp(name, "zopfli"))
        settings->encoder = ENCODER_ZOPFLI;
    else if (!strcmp(name, "zlib9"))
        settings->encoder = ENCODER_ZLIB9;
    else
        return Fail(std::string("unknown encoder ") + name + " (zopfli or zlib9)");
    return true;
}

int main(int argc, char **argv)
{
    const char *out = NULL, *unifont = NULL, *stub = NULL, *product = NULL, *ctlset = NULL;
    const char *testItems = NULL;
    PackRequest request = { EncoderSettings{ ENCODER_ZOPFLI, DEFAULT_ZOPFLI_ITERATIONS }, "",
                            (int)std::thread::hardware_concurrency(), kRecheckBytes };
    for (int i = 1; i + 1 < argc; i += 2) {
        const char *option = argv[i], *value = argv[i + 1];
        if (!strcmp(option, "--out")) out = value;
        else if (!strcmp(option, "--unifont")) unifont = value;
        else if (!strcmp(option, "--stub")) stub = value;
        else if (!strcmp(option, "--product-dir")) product = value;
        else if (!strcmp(option, "--ctlset")) ctlset = value;
        else if (!strcmp(option, "--test-items")) testItems = value;
        else if (!strcmp(option, "--cache")) request.cacheDir = value;
        else if (!strcmp(option, "--iterations")) request.settings.iterations = atoi(value);
        else if (!strcmp(option, "--jobs")) request.jobs = atoi(value);
        else if (!strcmp(option, "--encoder")) {
            if (!ParseEncoder(value, &request.settings))
                return 2;
        }
        else return Fail(std::string("unknown option ") + option), 2;
    }
    if (testItems)
        return GenerateTestItems(testItems) ? 0 : 1;
    if (!out)
        return Fail("usage: gen_payload --out DIR --unifont HEX --stub EXE [--product-dir DIR] "
                    "[--ctlset FILE] [--encoder zopfli|zlib9] [--iterations N] [--cache DIR] "
                    "[--jobs N]"), 2;
    if (request.settings.encoder == ENCODER_ZOPFLI && request.settings.iterations < 1)
        return Fail("--iterations must be at least 1"), 2;
    return GeneratePayload(out, request, unifont, stub, product && *product ? product : NULL,
                           ctlset) ? 0 : 1;
}
