// The item cache: compressed items kept in a folder shared by every build that uses the
// same host tools, one file per encoder identity and plain bytes, so that only a changed
// file is compressed again. Several builds may use it at once: entries appear whole or not
// at all, and every entry is checked before it is used.
#pragma once
#include "payload/sample_content.h"
#include <string>

// True with the stream when the cache holds a sound entry for these bytes and settings.
bool CacheLoad(const std::string &dir, const std::string &identity, const Bytes &plain,
               Bytes *packed);

// Best effort: a cache that cannot be written only costs time.
void CacheStore(const std::string &dir, const std::string &identity, const Bytes &plain,
                const Bytes &packed);

// Held while one item is compressed, so that a second build waits for it and takes it from
// the cache instead of compressing it too. -1 when no lock could be had (nothing waits).
int CacheLock(const std::string &dir, const std::string &identity, const Bytes &plain);
void CacheUnlock(int lock);

// Removes entries no build has used for that long.
void CachePrune(const std::string &dir, long maxAgeSeconds);
