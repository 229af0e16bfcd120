// One compressed item as the item cache keeps it: the stream with what it was made from.
#pragma once
#include "payload/sample_content.h"
#include <string>

Bytes MakeCacheEntry(const std::string &identity, const Bytes &plain, const Bytes &packed);

// Gives the entry's stream only if it was made with the encoder of this identity and
// inflates to exactly these plain bytes, ending where the entry ends: a cut, damaged or
// foreign entry is refused, never shipped.
bool TakeCachedStream(const Bytes &entry, const std::string &identity, const Bytes &plain,
                      Bytes *packed);
