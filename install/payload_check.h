// The payload checked against the CRC-32 table stored beside it at build time.
#pragma once

// 1 when every one of the count items has an entry in the table and its bytes, as
// stored, give that CRC-32; 0 for a damaged, missing or unlisted item or a missing table.
// Reads the mapped resources once and writes nothing.
int VerifyItems(const int *ids, int count);

// VerifyItems over every catalogue entry: run before the install writes or deletes
// anything, so that a damaged download leaves the user's installation as it was. A good
// result for the program's own image is remembered for the rest of the run.
int VerifyPayload(void);
