// Throughput of ExtractResource over the whole payload, against a bare inflate loop and
// a bare inflate-and-write loop over the same items, in one process.
#include "install/catalogue.h"
#include "install/file_ops.h"
#include "install/install.h"
#include "base/state.h"
#include <stdio.h>
#include <stdlib.h>
#include <vector>
#include <zlib.h>

// Stands in for the message box: the benchmark asks nothing.
int BiMessageBox(const char *, const char *, int, HWND) { return IDOK; }

static double Now()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return (double)count.QuadPart / (double)frequency.QuadPart;
}

struct Item {
    const Bytef *bytes;
    DWORD size;
};

static std::vector<Item> LoadItems()
{
    std::vector<Item> items;
    for (const CatalogueEntry &entry : g_catalogue) {
        HRSRC found = FindResourceA(g_hInstance, MAKEINTRESOURCEA(entry.id), "TEXT");
        Item item = { NULL, 0 };
        if (found) {
            item.bytes = (const Bytef *)LockResource(LoadResource(g_hInstance, found));
            item.size = SizeofResource(g_hInstance, found);
        }
        items.push_back(item);
    }
    return items;
}

// Returns the decompressed byte count, or 0 when anything failed.
static double RunEngine(unsigned char *buffer)
{
    double total = 0;
    for (const CatalogueEntry &entry : g_catalogue) {
        if (!ExtractResource(entry.id, entry.fileName, buffer, INSTALL_BUFFER_BYTES, 0, 0))
            return 0;
        char path[MAX_PATH];
        snprintf(path, sizeof path, "%s\\%s", g_installFolder, entry.fileName);
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (GetFileAttributesExA(path, GetFileExInfoStandard, &data))
            total += data.nFileSizeLow;
    }
    return total;
}

static double RunBare(const std::vector<Item> &items, unsigned char *buffer, int write)
{
    double total = 0;
    for (size_t i = 0; i < items.size(); i++) {
        uLongf length = INSTALL_BUFFER_BYTES;
        if (uncompress(buffer, &length, items[i].bytes, items[i].size) != Z_OK)
            return 0;
        total += length;
        if (write) {
            char path[MAX_PATH];
            snprintf(path, sizeof path, "%s\\bare_%s", g_installFolder, g_catalogue[i].fileName);
            FILE *file = fopen(path, "wb");
            if (!file)
                return 0;
            fwrite(buffer, 1, length, file);
            fclose(file);
        }
    }
    return total;
}

static void Report(const char *name, double bytes, double seconds)
{
    printf("%-28s %8.1f MB/s  (%.1f MB in %.3f s)\n", name, bytes / seconds / 1e6, bytes / 1e6, seconds);
}

int main()
{
    g_hInstance = LoadLibraryExA("PendrelSetup.exe", NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (!g_hInstance) {
        fprintf(stderr, "extract_bench: PendrelSetup.exe not found in the current folder\n");
        return 1;
    }
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    snprintf(g_installFolder, sizeof g_installFolder, "%spdbench_%lu", temp, GetCurrentProcessId());
    CreateDirectoryA(g_installFolder, NULL);

    unsigned char *buffer = (unsigned char *)malloc(INSTALL_BUFFER_BYTES);
    std::vector<Item> items = LoadItems();
    const int rounds = 3;
    double engineBest = 1e30, inflateBest = 1e30, writeBest = 1e30, bytes = 0;
    for (int round = 0; round < rounds; round++) {
        double start = Now();
        bytes = RunEngine(buffer);
        double engine = Now() - start;
        start = Now();
        double inflated = RunBare(items, buffer, 0);
        double inflate = Now() - start;
        start = Now();
        double written = RunBare(items, buffer, 1);
        double write = Now() - start;
        if (bytes == 0 || inflated != bytes || written != bytes) {
            fprintf(stderr, "extract_bench: extraction failed\n");
            return 1;
        }
        engineBest = engine < engineBest ? engine : engineBest;
        inflateBest = inflate < inflateBest ? inflate : inflateBest;
        writeBest = write < writeBest ? write : writeBest;
    }
    free(buffer);

    printf("payload: %zu items, %.1f MB decompressed; best of %d rounds\n", items.size(), bytes / 1e6, rounds);
    Report("ExtractResource (engine)", bytes, engineBest);
    Report("uncompress only", bytes, inflateBest);
    Report("uncompress + fwrite", bytes, writeBest);
    printf("install_ratio=%.2f\n", engineBest / writeBest);

    char command[MAX_PATH + 32];
    snprintf(command, sizeof command, "cmd /c rd /s /q \"%s\"", g_installFolder);
    system(command);
    return 0;
}
