// Moving a linked PE image's resource data to a page boundary of the file.
//
// Wine maps a section straight from the file only when its data starts on a page
// boundary; otherwise it reads the section into fresh memory. The installer's resource
// section holds the whole compressed product, so an unaligned one is read in full before
// the first instruction runs. Windows pages sections in on demand either way, so the
// move costs nothing there but the padding.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum { PE_FILE_PAGE = 4096 };

// The PE checksum of a whole file: 16-bit sum with carries folded in, skipping the
// checksum field at checksumAt, plus the file's length.
uint32_t PeChecksum(const std::vector<unsigned char> &file, size_t checksumAt);

// True when the file is a PE image whose header holds its own checksum.
bool PeChecksumHolds(const std::vector<unsigned char> &file);

// Pads the file so that the raw data of ".rsrc" starts on a page boundary, shifting the
// sections after it and keeping a checksum that was set valid. Section addresses in
// memory do not change, so nothing inside the image needs fixing. Refuses a signed file
// (its signature would no longer cover it) and debug data it would have to move.
bool AlignResourceData(std::vector<unsigned char> &file, std::string *error);
