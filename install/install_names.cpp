// The names of the files the install deletes or writes, in the order it does so.
#include "install_names.h"
#include <stdio.h>

void OldDictionaryName(int index, char name[DICTIONARY_NAME_BYTES])
{
    // Each base name bare, then with the binary suffixes 0001 to 1111.
    static const char *const kBases[] = { "syllables.dic", "Charlist.dic", "learned.dic", "tuned.dic" };
    int value = index / 4;
    char suffix[8] = "";
    if (value != 0)
        snprintf(suffix, sizeof suffix, "%1d%1d%1d%1d",
                 (value >> 3) & 1, (value >> 2) & 1, (value >> 1) & 1, value & 1);
    snprintf(name, DICTIONARY_NAME_BYTES, "%s%s", kBases[index % 4], suffix);
}

void ListInstallNames(InstallNames *names, int keepOld)
{
    for (int i = 0; i < OLD_DICTIONARY_PATHS; i++) {
        OldDictionaryName(i, names->dictionary[i]);
        names->name[i] = names->dictionary[i];
    }
    for (int i = 0; i < CATALOGUE_ENTRIES; i++) {
        const CatalogueEntry &entry = g_catalogue[i];
        names->name[OLD_DICTIONARY_PATHS + i] = keepOld && entry.wordBase ? NULL : entry.fileName;
    }
}

const CatalogueEntry *EntryOfName(int index)
{
    return index >= OLD_DICTIONARY_PATHS && index < INSTALL_NAMES ? &g_catalogue[index - OLD_DICTIONARY_PATHS] : NULL;
}
