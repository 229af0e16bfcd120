// Threads take the items largest first, so that the few big ones start at once and the
// small ones fill in around them.
#include "payload/pack_items.h"
#include "payload/item_cache.h"
#include <algorithm>
#include <atomic>
#include <mutex>
#include <random>
#include <thread>

enum PackOutcome { PACK_FAILED, PACK_UNSTABLE, PACK_FROM_CACHE, PACK_ENCODED, PACK_RECHECKED };

// What the threads share. Each item's stream is written by one thread only.
struct PackWork {
    const PackRequest *request;
    std::string identity;
    const std::vector<PlainItem> *items;
    std::vector<Bytes> *packed;
    std::vector<size_t> order;
    std::vector<bool> recheck;
    std::atomic<size_t> next;
    std::atomic<bool> failed;
    std::mutex mutex;               // guards counts and error
    PackCounts counts;
    std::string error;
};

static std::vector<size_t> LargestFirst(const std::vector<PlainItem> &items)
{
    std::vector<size_t> order(items.size());
    for (size_t i = 0; i < order.size(); i++)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return items[a].plain.size() > items[b].plain.size();
    });
    return order;
}

// A different choice on every run, so that over many builds every cached item is seen to
// come out the same again.
static std::vector<bool> PickRechecks(const std::vector<PlainItem> &items, size_t budget)
{
    std::vector<size_t> order(items.size());
    for (size_t i = 0; i < order.size(); i++)
        order[i] = i;
    std::shuffle(order.begin(), order.end(), std::mt19937(std::random_device()()));
    std::vector<bool> picked(items.size(), false);
    for (size_t i : order)
        if (items[i].plain.size() <= budget) {
            picked[i] = true;
            budget -= items[i].plain.size();
        }
    return picked;
}

static PackOutcome Encode(const PackWork &work, size_t i)
{
    return EncodeItem(work.request->settings, (*work.items)[i].plain, &(*work.packed)[i])
               ? PACK_ENCODED : PACK_FAILED;
}

// Under the item's lock: another build compressing it now finishes first, and its entry
// is then taken.
static PackOutcome FetchOrEncode(const PackWork &work, size_t i)
{
    const std::string &dir = work.request->cacheDir;
    const Bytes &plain = (*work.items)[i].plain;
    int lock = CacheLock(dir, work.identity, plain);
    PackOutcome outcome = PACK_FROM_CACHE;
    if (!CacheLoad(dir, work.identity, plain, &(*work.packed)[i])) {
        outcome = Encode(work, i);
        if (outcome == PACK_ENCODED)
            CacheStore(dir, work.identity, plain, (*work.packed)[i]);
    }
    CacheUnlock(lock);
    return outcome;
}

static PackOutcome Recheck(const PackWork &work, size_t i)
{
    Bytes again;
    if (!EncodeItem(work.request->settings, (*work.items)[i].plain, &again))
        return PACK_FAILED;
    return again == (*work.packed)[i] ? PACK_RECHECKED : PACK_UNSTABLE;
}

static PackOutcome PackOne(const PackWork &work, size_t i)
{
    if (work.request->cacheDir.empty())
        return Encode(work, i);
    PackOutcome outcome = FetchOrEncode(work, i);
    if (outcome == PACK_FROM_CACHE && work.recheck[i])
        outcome = Recheck(work, i);
    return outcome;
}

static void Note(PackWork *work, size_t i, PackOutcome outcome)
{
    std::lock_guard<std::mutex> hold(work->mutex);
    work->counts.fromCache += outcome == PACK_FROM_CACHE || outcome == PACK_RECHECKED;
    work->counts.encoded += outcome == PACK_ENCODED;
    work->counts.rechecked += outcome == PACK_RECHECKED;
    if ((outcome == PACK_FAILED || outcome == PACK_UNSTABLE) && work->error.empty()) {
        work->error = "item " + std::to_string((*work->items)[i].id) +
                      (outcome == PACK_FAILED ? " could not be compressed"
                                              : " compressed again gave other bytes than "
                                                "its cached ones: the encoder is not "
                                                "deterministic");
        work->failed = true;
    }
}

static void Worker(PackWork *work)
{
    for (size_t k; !work->failed && (k = work->next++) < work->order.size();) {
        size_t i = work->order[k];
        Note(work, i, PackOne(*work, i));
    }
}

bool PackItems(const PackRequest &request, const std::vector<PlainItem> &items,
               std::vector<Bytes> *packed, PackCounts *counts, std::string *error)
{
    PackWork work;
    work.request = &request;
    work.identity = EncoderIdentity(request.settings);
    if (work.identity.empty())
        return *error = "the encoder fails on its probe", false;
    work.items = &items;
    work.packed = packed;
    packed->assign(items.size(), Bytes());
    work.order = LargestFirst(items);
    work.recheck = PickRechecks(items, request.recheckBytes);
    work.next = 0;
    work.failed = false;
    work.counts = PackCounts{ 0, 0, 0 };

    std::vector<std::thread> threads;
    int jobs = std::max(1, std::min(request.jobs, (int)items.size()));
    for (int t = 0; t < jobs; t++)
        threads.emplace_back(Worker, &work);
    for (std::thread &thread : threads)
        thread.join();
    *counts = work.counts;
    *error = work.error;
    return !work.failed;
}
