// The payload catalogue: what RunInstall extracts, in order.
#pragma once

struct CatalogueEntry {
    int id;                 // "TEXT" resource ID
    const char *fileName;   // relative to the install folder
    int readOnly;
    int hidden;
    int required;           // 1: a failure ends the install
    int wordBase;           // 1: skipped when the user keeps the old word base
    int progress;           // progress position set after the entry, 0 for none
    int progress2;          // a second position set right after the first, 0 for none
    unsigned long bytes;    // size of the installed file
};

enum { CATALOGUE_ENTRIES = 100 };

extern const CatalogueEntry g_catalogue[CATALOGUE_ENTRIES];
