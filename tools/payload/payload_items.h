// The payload's plain items, in the order of the resource script: the catalogue's files,
// then the Chinese and the English licence.
#pragma once
#include "payload/pack_items.h"
#include <vector>

// From productDir when given (exactly the catalogue's files and the two licences), else
// generated samples, with the glyph atlas from unifont and programs padded from stubPath.
// On failure says why on the standard error.
bool CollectItems(const char *unifont, const char *stubPath, const char *productDir,
                  std::vector<PlainItem> *items);
