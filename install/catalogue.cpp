// The payload catalogue, expanded from the rows shared with the payload generator.
#include "catalogue.h"

const CatalogueEntry g_catalogue[CATALOGUE_ENTRIES] = {
#define CATALOGUE_ROW(n, id, file, ro, hid, req, wb, p1, p2, kind, w, h, bpp, bytes) \
    { id, file, ro, hid, req, wb, p1, p2, bytes },
#include "catalogue_rows.h"
#undef CATALOGUE_ROW
};
