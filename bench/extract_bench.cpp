// Extraction cost of the installer's engine against its floor, in one process: the engine's
// files step (as RunInstall makes it, without a window) against a bare loop that makes the
// calls each file needs and nothing else, and that loop against a plain inflate-and-write
// loop, so that the price of the required calls shows apart from the engine's own
// bookkeeping. Each is timed into an empty folder (a fresh install) and over an installation
// (a reinstall, where the engine sets every old file aside and discards it at the end).
#include "install/catalogue.h"
#include "install/install.h"
#include "install/payload_check.h"
#include "install/preflight.h"
#include "base/state.h"
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <algorithm>
#include <vector>
#include <zlib.h>

// Stands in for the message box: the benchmark asks nothing.
int BiMessageBox(const char *, const char *, int, HWND) { return IDOK; }

namespace {

const int ROUNDS = 10;  // every loop first once in each direction

double Now()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return (double)count.QuadPart / (double)frequency.QuadPart;
}

// What the bare loops need of an entry, worked out before any clock runs.
struct BareEntry {
    int id;
    char path[MAX_PATH];        // in the install folder, as the engine writes it
    char plainPath[MAX_PATH];   // in the plain loop's own folder
    int readOnly, hidden;
};

std::vector<BareEntry> g_entries;
char g_plainFolder[MAX_PATH];

// The calls made for each file, in their order, and nothing else: find and inflate the
// item; when the target exists, write its attributes with read-only and hidden cleared;
// open, write once, close; when a flag is asked for, read the attributes and write them
// back with the flags set.
int BareExtract(const BareEntry &entry, unsigned char *buffer)
{
    HRSRC found = FindResourceA(g_hInstance, MAKEINTRESOURCEA(entry.id), "TEXT");
    HGLOBAL loaded = LoadResource(g_hInstance, found);
    const Bytef *item = (const Bytef *)LockResource(loaded);
    DWORD itemSize = SizeofResource(g_hInstance, found);
    uLongf length = INSTALL_BUFFER_BYTES;
    if (uncompress(buffer, &length, item, itemSize) != Z_OK)
        return 0;

    if (_access(entry.path, 0) == 0)
        SetFileAttributesA(entry.path, GetFileAttributesA(entry.path) &
                                       ~(DWORD)(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    FILE *file = fopen(entry.path, "wb");
    if (!file)
        return 0;
    size_t written = fwrite(buffer, 1, length, file);
    if (fclose(file) != 0 || written != length)
        return 0;
    if (entry.readOnly || entry.hidden) {
        DWORD attrs = GetFileAttributesA(entry.path);
        if (entry.readOnly)
            attrs |= FILE_ATTRIBUTE_READONLY;
        if (entry.hidden)
            attrs |= FILE_ATTRIBUTE_HIDDEN;
        SetFileAttributesA(entry.path, attrs);
    }
    return 1;
}

// Inflate and write, nothing more: the floor under both.
int PlainExtract(const BareEntry &entry, unsigned char *buffer)
{
    HRSRC found = FindResourceA(g_hInstance, MAKEINTRESOURCEA(entry.id), "TEXT");
    const Bytef *item = (const Bytef *)LockResource(LoadResource(g_hInstance, found));
    uLongf length = INSTALL_BUFFER_BYTES;
    if (uncompress(buffer, &length, item, SizeofResource(g_hInstance, found)) != Z_OK)
        return 0;
    FILE *file = fopen(entry.plainPath, "wb");
    if (!file)
        return 0;
    fwrite(buffer, 1, length, file);
    fclose(file);
    return 1;
}

// The fresh loops start from an empty folder, the reinstall loops from a whole installation.
enum Loop { ENGINE, BARE, PLAIN, ENGINE_AGAIN, BARE_AGAIN, LOOPS };
const char *const kLoopNames[LOOPS] = { "engine (fresh install)", "bare (required calls)",
                                        "plain (inflate + write)", "engine (reinstall)",
                                        "bare (reinstall, in place)" };

bool IsReinstall(Loop loop)
{
    return loop == ENGINE_AGAIN || loop == BARE_AGAIN;
}

double CpuNow()
{
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    ULARGE_INTEGER k = { { kernel.dwLowDateTime, kernel.dwHighDateTime } };
    ULARGE_INTEGER u = { { user.dwLowDateTime, user.dwHighDateTime } };
    return (double)(k.QuadPart + u.QuadPart) / 1e7;
}
double g_cpu[LOOPS];    // CPU seconds of each loop over the measured rounds

// Seconds for one pass over the whole catalogue, or a negative value when a file failed.
double TimeLoop(Loop loop, unsigned char *buffer)
{
    double cpuStart = CpuNow();
    double start = Now();
    int ok = 1;
    if (loop == ENGINE || loop == ENGINE_AGAIN) {
        ok = InstallFiles(buffer, NULL, 0);
    } else {
        for (const BareEntry &entry : g_entries) {
            if (!(loop == PLAIN ? PlainExtract(entry, buffer) : BareExtract(entry, buffer)))
                ok = 0;
        }
    }
    double seconds = Now() - start;
    g_cpu[loop] += CpuNow() - cpuStart;
    return ok ? seconds : -1;
}

// The catalogue's files out of a folder, protected ones included.
void EmptyFolder(bool plain)
{
    for (const BareEntry &entry : g_entries) {
        const char *path = plain ? entry.plainPath : entry.path;
        SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path);
    }
}

// Outside the clock: an empty folder for a fresh pass, a whole installation for a reinstall.
bool Prepare(Loop loop, unsigned char *buffer)
{
    if (!IsReinstall(loop)) {
        EmptyFolder(loop == PLAIN);
        return true;
    }
    if (_access(g_entries.back().path, 0) == 0)
        return true;
    for (const BareEntry &entry : g_entries) {
        if (!BareExtract(entry, buffer))
            return false;
    }
    return true;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The engine leaves read-only files behind: clear them first.
void RemoveFolder(const char *folder)
{
    for (const BareEntry &entry : g_entries)
        SetFileAttributesA(entry.path, FILE_ATTRIBUTE_NORMAL);
    char command[MAX_PATH + 32];
    snprintf(command, sizeof command, "cmd /c rd /s /q \"%s\"", folder);
    system(command);
}

} // namespace

// The folder to write in may be given (a RAM disk keeps the disk's write-back out of the
// figures); by default a new folder under the temporary folder.
int main(int argc, char **argv)
{
    g_hInstance = LoadLibraryExA("PendrelSetup.exe", NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (!g_hInstance) {
        fprintf(stderr, "extract_bench: PendrelSetup.exe not found in the current folder\n");
        return 1;
    }
    char temp[MAX_PATH];
    if (argc > 1)
        snprintf(temp, sizeof temp, "%s\\", argv[1]);
    else
        GetTempPathA(sizeof temp, temp);
    snprintf(g_installFolder, sizeof g_installFolder, "%spdbench_%lu", temp, GetCurrentProcessId());
    snprintf(g_plainFolder, sizeof g_plainFolder, "%s_plain", g_installFolder);
    CreateDirectoryA(g_installFolder, NULL);
    CreateDirectoryA(g_plainFolder, NULL);

    double bytes = 0;
    for (const CatalogueEntry &entry : g_catalogue) {
        BareEntry bare = { entry.id, "", "", entry.readOnly, entry.hidden };
        snprintf(bare.path, sizeof bare.path, "%s\\%s", g_installFolder, entry.fileName);
        snprintf(bare.plainPath, sizeof bare.plainPath, "%s\\%s", g_plainFolder, entry.fileName);
        g_entries.push_back(bare);
    }

    unsigned char *buffer = (unsigned char *)malloc(INSTALL_BUFFER_BYTES);
    // One pass of each first, so that no loop meets a cold start in the figures.
    for (int loop = 0; loop < LOOPS; loop++) {
        if (!Prepare((Loop)loop, buffer) || TimeLoop((Loop)loop, buffer) < 0) {
            fprintf(stderr, "extract_bench: %s failed\n", kLoopNames[loop]);
            return 1;
        }
    }
    for (int loop = 0; loop < LOOPS; loop++)
        g_cpu[loop] = 0;
    for (const CatalogueEntry &entry : g_catalogue) {
        char path[MAX_PATH];
        snprintf(path, sizeof path, "%s\\%s", g_installFolder, entry.fileName);
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (GetFileAttributesExA(path, GetFileExInfoStandard, &data))
            bytes += data.nFileSizeLow;
    }

    // Interleaved, each loop in every place of the order equally often, so that a slow
    // spell of a shared machine, or what one loop leaves behind for the next, falls on every
    // loop alike; the ratios are taken within each round.
    std::vector<double> times[LOOPS], engineRatio, bareRatio, againRatio, againOverFresh;
    for (int round = 0; round < ROUNDS; round++) {
        double seconds[LOOPS];
        for (int step = 0; step < LOOPS; step++) {
            int first = round % LOOPS, backwards = round / LOOPS % 2;
            int loop = (first + (backwards ? LOOPS - step : step)) % LOOPS;
            seconds[loop] = Prepare((Loop)loop, buffer) ? TimeLoop((Loop)loop, buffer) : -1;
            if (seconds[loop] < 0) {
                fprintf(stderr, "extract_bench: %s failed\n", kLoopNames[loop]);
                return 1;
            }
            times[loop].push_back(seconds[loop]);
        }
        if (getenv("PENDREL_BENCH_VERBOSE"))
            printf("  round %d: engine %.3f  bare %.3f  plain %.3f  engine again %.3f  bare again %.3f\n", round,
                   seconds[ENGINE], seconds[BARE], seconds[PLAIN], seconds[ENGINE_AGAIN], seconds[BARE_AGAIN]);
        engineRatio.push_back(seconds[ENGINE] / seconds[BARE]);
        bareRatio.push_back(seconds[BARE] / seconds[PLAIN]);
        againRatio.push_back(seconds[ENGINE_AGAIN] / seconds[BARE_AGAIN]);
        againOverFresh.push_back(seconds[ENGINE_AGAIN] / seconds[ENGINE]);
    }

    printf("extraction: %zu files, %.1f MB, %d interleaved rounds\n", g_entries.size(), bytes / 1e6, ROUNDS);
    for (int loop = 0; loop < LOOPS; loop++) {
        double best = *std::min_element(times[loop].begin(), times[loop].end());
        printf("  %-30s median %.3f s  best %.3f s  %6.1f MB/s\n", kLoopNames[loop], Median(times[loop]),
               best, bytes / best / 1e6);
    }
    printf("install_ratio=%.3f  (fresh install: engine / bare, median of per-round ratios; best-of %.3f; "
           "goal 1.03)\n", Median(engineRatio), *std::min_element(times[ENGINE].begin(), times[ENGINE].end()) /
                                               *std::min_element(times[BARE].begin(), times[BARE].end()));
    printf("  engine / bare in this thread's CPU time over all rounds: %.3f (a busy machine disturbs it least)\n",
           g_cpu[ENGINE] / g_cpu[BARE]);
    printf("bare_over_plain=%.3f  (the price of the required calls per file)\n", Median(bareRatio));
    printf("reinstall_ratio=%.3f  (reinstall: engine, setting every old file aside and discarding it, / bare, "
           "writing over it in place)\n", Median(againRatio));
    printf("  reinstall / fresh install, both by the engine: %.3f\n", Median(againOverFresh));

    // The checks a reinstall passes before it changes anything, against its files step.
    std::vector<double> preflight;
    if (!Prepare(ENGINE_AGAIN, buffer))
        return 1;
    for (int round = 0; round < ROUNDS; round++) {
        InstallProblem problem;
        double start = Now();
        if (!CheckInstallCanFinish(0, &problem)) {
            fprintf(stderr, "extract_bench: the checks found a problem of kind %d\n", problem.kind);
            return 1;
        }
        preflight.push_back(Now() - start);
    }
    free(buffer);
    printf("preflight_share=%.3f  (the checks before a reinstall, %.1f ms, against its files step)\n",
           Median(preflight) / Median(times[ENGINE_AGAIN]), Median(preflight) * 1e3);

    // The check of every stored item that the install makes before it touches the disk.
    std::vector<double> checks;
    for (int round = 0; round < ROUNDS; round++) {
        double start = Now();
        if (!VerifyPayload()) {
            fprintf(stderr, "extract_bench: the payload check failed\n");
            return 1;
        }
        checks.push_back(Now() - start);
    }
    printf("payload_check_share=%.3f  (the check before the install, %.1f ms, against the engine's "
           "extraction; goal 0.05)\n", Median(checks) / Median(times[ENGINE]), Median(checks) * 1e3);

    RemoveFolder(g_installFolder);
    RemoveFolder(g_plainFolder);
    return 0;
}
