// Compresses every payload item, from the item cache where it holds them, the rest on
// several threads, largest first. The streams do not depend on the thread count, the
// order of work or the cache.
#pragma once
#include "payload/item_encoder.h"
#include <string>
#include <vector>

struct PackRequest {
    EncoderSettings settings;
    std::string cacheDir;           // empty: no cache
    int jobs;
    size_t recheckBytes;            // how much plain input of cache hits to encode again
};

struct PlainItem {
    int id;                         // resource ID, for messages
    Bytes plain;
};

struct PackCounts {
    int fromCache, encoded, rechecked;
};

// On failure says why in error; an encoder that gives other bytes than its cached ones
// for the same input fails too: a cache must not hide an encoder's nondeterminism.
bool PackItems(const PackRequest &request, const std::vector<PlainItem> &items,
               std::vector<Bytes> *packed, PackCounts *counts, std::string *error);
