// The names of the files the install deletes or writes, in the order it does so.
#pragma once
#include "catalogue.h"

enum { OLD_DICTIONARY_PATHS = 64, DICTIONARY_NAME_BYTES = 24 };
enum { INSTALL_NAMES = OLD_DICTIONARY_PATHS + CATALOGUE_ENTRIES };

// The user's old dictionary files first (deleted), then the catalogue's files (written).
struct InstallNames {
    const char *name[INSTALL_NAMES];    // NULL for an entry skipped to keep the old word base
    char dictionary[OLD_DICTIONARY_PATHS][DICTIONARY_NAME_BYTES];
};

void ListInstallNames(InstallNames *names, int keepOld);

// The index-th (0-63) old dictionary name, in the order the install deletes them.
void OldDictionaryName(int index, char name[DICTIONARY_NAME_BYTES]);

// The catalogue entry that writes name index; NULL for an old dictionary, which is deleted.
const CatalogueEntry *EntryOfName(int index);
