// Expands the shared catalogue rows into the generator's view of each file.
#include "catalogue_host.h"

const SampleSpec kSampleCatalogue[CATALOGUE_SIZE] = {
#define CATALOGUE_ROW(n, id, file, ro, hid, req, wb, p1, p2, kind, w, h, bpp, bytes) \
    { n, id, file, SAMPLE_##kind, w, h, bpp, bytes },
#include "../../install/catalogue_rows.h"
#undef CATALOGUE_ROW
};
