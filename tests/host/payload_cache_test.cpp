// The payload's item cache and packing: a cached stream is used only for the same bytes
// and encoder, a damaged entry is compressed again, and the streams never depend on the
// cache, the thread count or a second build using the cache at the same time.
#include "payload/cache_entry.h"
#include "payload/item_cache.h"
#include "payload/catalogue_host.h"
#include "payload/pack_items.h"
#include "render/glyph_cell.h"
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <functional>
#include <map>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <zlib.h>

namespace {

const EncoderSettings kZopfli1 = { ENCODER_ZOPFLI, 1 };
const EncoderSettings kZopfli2 = { ENCODER_ZOPFLI, 2 };

Bytes Text(size_t size, unsigned seed)
{
    Bytes bytes;
    while (bytes.size() < size)
        bytes.push_back("pendrel word base index "[(bytes.size() * seed / 7) % 24] ^ (seed & 3));
    return bytes;
}

// An empty file, text, and repeats of one byte: what the catalogue holds, in small.
std::vector<PlainItem> SmallItems()
{
    return { { 1, Bytes() }, { 2, Text(5000, 3) }, { 3, Bytes(20000, 0x5C) }, { 4, Text(900, 11) } };
}

std::string TemporaryFolder()
{
    std::string path = testing::TempDir() + "payload_cache_test.XXXXXX";
    EXPECT_NE(nullptr, mkdtemp(&path[0]));
    return path;
}

void RemoveFolder(const std::string &path)
{
    EXPECT_EQ(0, system(("rm -rf '" + path + "'").c_str()));
}

PackCounts Pack(const std::string &cache, const EncoderSettings &settings,
                const std::vector<PlainItem> &items, std::vector<Bytes> *packed,
                int jobs = 2, size_t recheck = 0)
{
    PackRequest request = { settings, cache, jobs, recheck };
    PackCounts counts = { -1, -1, -1 };
    std::string error;
    EXPECT_TRUE(PackItems(request, items, packed, &counts, &error)) << error;
    return counts;
}

// The only way a stream is judged: one zlib stream giving exactly the plain bytes.
void ExpectInflatesTo(const std::vector<PlainItem> &items, const std::vector<Bytes> &packed)
{
    ASSERT_EQ(items.size(), packed.size());
    for (size_t i = 0; i < items.size(); i++) {
        Bytes out(items[i].plain.size() + 1);
        uLongf size = out.size();
        ASSERT_EQ(Z_OK, uncompress(out.data(), &size, packed[i].data(), packed[i].size()));
        out.resize(size);
        EXPECT_EQ(items[i].plain, out) << "item " << items[i].id;
    }
}

std::vector<std::string> EntryFiles(const std::string &cache)
{
    std::vector<std::string> files;
    DIR *top = opendir(cache.c_str());
    while (dirent *identity = top ? readdir(top) : NULL) {
        std::string folder = cache + "/" + identity->d_name;
        DIR *inner = identity->d_name[0] == '.' ? NULL : opendir(folder.c_str());
        while (dirent *entry = inner ? readdir(inner) : NULL)
            if (std::string(entry->d_name).find(".entry") == strlen(entry->d_name) - 6)
                files.push_back(folder + "/" + entry->d_name);
        if (inner)
            closedir(inner);
    }
    if (top)
        closedir(top);
    return files;
}

}  // namespace

// Each change to an entry, its identity or the plain bytes asked for must cost the entry.
TEST(CacheEntry, GivesItsStreamOnlyForTheSameBytesAndEncoder)
{
    Bytes plain = Text(3000, 5), packed;
    ASSERT_TRUE(EncodeItem(kZopfli1, plain, &packed));
    const std::string identity = EncoderIdentity(kZopfli1);
    const Bytes entry = MakeCacheEntry(identity, plain, packed);
    Bytes otherSameSize = plain;
    otherSameSize[1500] ^= 0x20;

    struct Case {
        const char *what;
        std::function<void(Bytes *entry, Bytes *plain, std::string *identity)> change;
        bool taken;
    } cases[] = {
        { "the entry as made", [](Bytes *, Bytes *, std::string *) {}, true },
        { "other settings", [](Bytes *, Bytes *, std::string *id) { *id = EncoderIdentity(kZopfli2); }, false },
        { "the quick encoder", [](Bytes *, Bytes *, std::string *id) { *id = EncoderIdentity({ ENCODER_ZLIB9, 0 }); }, false },
        { "other bytes, same size", [&](Bytes *, Bytes *p, std::string *) { *p = otherSameSize; }, false },
        { "one byte more asked", [](Bytes *, Bytes *p, std::string *) { p->push_back('x'); }, false },
        { "cut in the stream", [](Bytes *e, Bytes *, std::string *) { e->resize(e->size() - 1); }, false },
        { "cut in the header", [](Bytes *e, Bytes *, std::string *) { e->resize(20); }, false },
        { "empty file", [](Bytes *e, Bytes *, std::string *) { e->clear(); }, false },
        { "a byte after the stream", [](Bytes *e, Bytes *, std::string *) { e->push_back(0); }, false },
        { "a flipped stream byte", [](Bytes *e, Bytes *, std::string *) { (*e)[e->size() - 40] ^= 1; }, false },
        { "a flipped trailer byte", [](Bytes *e, Bytes *, std::string *) { e->back() ^= 1; }, false },
        { "a flipped magic byte", [](Bytes *e, Bytes *, std::string *) { (*e)[0] ^= 1; }, false },
    };
    for (const Case &c : cases) {
        Bytes damaged = entry, asked = plain, taken = { 0xEE };
        std::string askedIdentity = identity;
        c.change(&damaged, &asked, &askedIdentity);
        EXPECT_EQ(c.taken, TakeCachedStream(damaged, askedIdentity, asked, &taken)) << c.what;
        EXPECT_EQ(c.taken ? packed : Bytes{ 0xEE }, taken) << c.what << ": output touched";
    }
}

// A build's life: a fresh cache, a rerun, one changed file, other settings, a damaged
// entry. The streams always equal those made without a cache.
TEST(PackItems, CompressesOnlyWhatTheCacheCannotSoundlyGive)
{
    const std::string cache = TemporaryFolder();
    std::vector<PlainItem> items = SmallItems();
    std::vector<Bytes> uncached, uncached2, packed;
    Pack("", kZopfli1, items, &uncached, 1);
    Pack("", kZopfli2, items, &uncached2, 1);
    ExpectInflatesTo(items, uncached);

    PackCounts counts = Pack(cache, kZopfli1, items, &packed);
    EXPECT_EQ(4, counts.encoded);
    EXPECT_EQ(uncached, packed);
    counts = Pack(cache, kZopfli1, items, &packed);
    EXPECT_EQ(0, counts.encoded);
    EXPECT_EQ(4, counts.fromCache);
    EXPECT_EQ(uncached, packed);

    items[1].plain[100] ^= 1;
    counts = Pack(cache, kZopfli1, items, &packed);
    EXPECT_EQ(1, counts.encoded) << "only the changed file";
    ExpectInflatesTo(items, packed);
    items = SmallItems();

    counts = Pack(cache, kZopfli2, items, &packed);
    EXPECT_EQ(4, counts.encoded) << "nothing taken from other settings";
    EXPECT_EQ(uncached2, packed);

    std::vector<std::string> files = EntryFiles(cache);
    ASSERT_EQ(4u + 1 + 4, files.size());
    for (const std::string &file : files)
        ASSERT_EQ(0, truncate(file.c_str(), 30));
    counts = Pack(cache, kZopfli1, items, &packed);
    EXPECT_EQ(4, counts.encoded) << "cut entries are compressed again";
    EXPECT_EQ(uncached, packed);
    counts = Pack(cache, kZopfli1, items, &packed);
    EXPECT_EQ(4, counts.fromCache) << "and replaced by sound ones";
    RemoveFolder(cache);
}

// A cached stream that inflates right but is not what the encoder makes now (as a
// nondeterministic encoder would leave) fails the run when it is compressed again to check.
TEST(PackItems, RecheckCatchesACachedStreamTheEncoderNoLongerMakes)
{
    const std::string cache = TemporaryFolder();
    std::vector<PlainItem> items = { { 9, Text(4000, 7) } };
    Bytes quick;
    ASSERT_TRUE(EncodeItem({ ENCODER_ZLIB9, 0 }, items[0].plain, &quick));
    CacheStore(cache, EncoderIdentity(kZopfli1), items[0].plain, quick);

    std::vector<Bytes> packed;
    PackCounts counts = Pack(cache, kZopfli1, items, &packed, 1, 0);
    EXPECT_EQ(1, counts.fromCache) << "without a recheck the stream passes as cached";
    PackRequest request = { kZopfli1, cache, 1, 1 << 20 };
    std::string error;
    EXPECT_FALSE(PackItems(request, items, &packed, &counts, &error));
    EXPECT_NE(std::string::npos, error.find("item 9")) << error;
    EXPECT_NE(std::string::npos, error.find("not deterministic")) << error;
    RemoveFolder(cache);
}

// Two builds at once on one cache, with more threads than cores: each item is compressed
// once, the other build waits for it, and both ship the streams of a lone build.
TEST(PackItems, TwoBuildsShareOneCacheAtOnce)
{
    const std::string cache = TemporaryFolder();
    std::vector<PlainItem> items = SmallItems();
    for (unsigned seed = 20; seed < 24; seed++)
        items.push_back({ (int)seed, Text(1000 + seed * 50, seed) });
    std::vector<Bytes> alone, first, second;
    Pack("", kZopfli1, items, &alone, 1);
    PackCounts a, b;
    std::thread other([&] { a = Pack(cache, kZopfli1, items, &first, 3); });
    b = Pack(cache, kZopfli1, items, &second, 3);
    other.join();
    EXPECT_EQ((int)items.size(), a.encoded + b.encoded);
    EXPECT_EQ(alone, first);
    EXPECT_EQ(alone, second);
    RemoveFolder(cache);
}

namespace {

void WriteBytes(const std::string &path, const Bytes &bytes)
{
    std::ofstream(path, std::ios::binary).write((const char *)bytes.data(), bytes.size());
}

Bytes ReadBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs the generator on a product folder and gives what it printed.
std::string GeneratePayload(const std::string &product, const std::string &out,
                            const std::string &cache)
{
    std::string command = std::string(GEN_PAYLOAD) + " --out " + out + " --product-dir " +
                          product + " --cache " + cache + " --encoder zlib9";
    FILE *pipe = popen(command.c_str(), "r");
    std::string printed;
    char line[512];
    while (pipe && fgets(line, sizeof line, pipe))
        printed += line;
    EXPECT_EQ(0, pipe ? pclose(pipe) : -1) << printed;
    return printed;
}

}  // namespace

// A publisher's files go through the encoder and the cache like the samples (at the quick
// level here, for time): each stored stream gives its file back, and a second build
// compresses nothing.
TEST(GenPayload, APublishersFilesTakeTheSamePath)
{
    const std::string top = TemporaryFolder(), product = top + "/product", out = top + "/out";
    ASSERT_EQ(0, mkdir(product.c_str(), 0755));
    ASSERT_EQ(0, mkdir(out.c_str(), 0755));
    std::map<int, Bytes> files = { { 124, Text(700, 1) }, { 161, Text(800, 2) } };
    WriteBytes(product + "/licence-zh.txt", files[124]);
    WriteBytes(product + "/licence-en.txt", files[161]);
    for (const SampleSpec &sample : kSampleCatalogue) {
        files[sample.id] = sample.kind == SAMPLE_ATLAS ? Bytes(ATLAS_BYTES, 0x0F)
                                                       : Text(100 + sample.n * 37, sample.n);
        WriteBytes(product + "/" + sample.file, files[sample.id]);
    }

    std::string first = GeneratePayload(product, out, top + "/cache");
    EXPECT_NE(std::string::npos, first.find("102 items")) << first;
    std::vector<PlainItem> items;
    std::vector<Bytes> stored;
    for (const auto &file : files) {
        items.push_back({ file.first, file.second });
        stored.push_back(ReadBytes(out + "/" + std::to_string(file.first) + ".z"));
    }
    ExpectInflatesTo(items, stored);
    std::string second = GeneratePayload(product, out, top + "/cache");
    EXPECT_NE(std::string::npos, second.find(": 0 compressed, 102 from the cache")) << second;
    RemoveFolder(top);
}
