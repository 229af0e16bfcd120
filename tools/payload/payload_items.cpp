// The payload's plain items: the generated samples, or a publisher's product folder.
#include "payload/payload_items.h"
#include "atlas/atlas.h"
#include "payload/catalogue_host.h"
#include "render/glyph_cell.h"
#include <dirent.h>
#include <set>
#include <stdio.h>
#include <string.h>

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

// Every plain item in the order of the resource script: the catalogue, then the licences.
bool CollectItems(const char *unifont, const char *stubPath, const char *productDir,
                         std::vector<PlainItem> *items)
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

    for (const SampleSpec &sample : kSampleCatalogue) {
        Bytes plain;
        if (productDir) {
            if (!LoadProductFile(productDir, sample.file, &plain))
                return false;
        } else if (sample.kind == SAMPLE_ATLAS) {
            plain = atlas;
        } else if (!MakeSampleFile(sample, stub, &plain, &error)) {
            return Fail(std::string(sample.file) + ": " + error);
        }
        if (sample.kind == SAMPLE_ATLAS && plain.size() != ATLAS_BYTES)
            return Fail(std::string(sample.file) + " is not a glyph atlas of the expected size");
        if (!productDir && plain.size() != sample.bytes)
            return Fail(std::string(sample.file) + " came out at the wrong size");
        items->push_back(PlainItem{ sample.id, std::move(plain) });
    }
    items->push_back(PlainItem{ ID_LICENCE_CHINESE, licenceChinese });
    items->push_back(PlainItem{ ID_LICENCE_ENGLISH, licenceEnglish });
    return true;
}
