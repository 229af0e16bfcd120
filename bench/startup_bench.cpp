// Start-up time of the wizard against two floors, all started the same way by this
// launcher, interleaved, median of several runs each: a minimal dialog program, and the
// wizard's own window shown by a program that does nothing else. The second tells what
// the window's controls cost apart from the installer's own work.
//
// Method: the clock starts just before CreateProcess. The program counts as up once it
// has gone idle for the first time (WaitForInputIdle: its message loop found no message
// left, so the first WM_PAINT of its window has been handled) and a visible top-level
// window of that process exists. The process is then terminated, so that no closing
// time is counted. One unmeasured start of each comes first, so that neither run pays
// for a cold file cache.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <algorithm>
#include <vector>

namespace {

const int RUNS = 9;
const DWORD TIMEOUT_MS = 30000;

double Now()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return (double)count.QuadPart / (double)frequency.QuadPart;
}

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM param)
{
    WindowSearch *search = (WindowSearch *)param;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Seconds from CreateProcess to the first painted window, or a negative value.
double TimeStart(const char *program)
{
    char commandLine[MAX_PATH + 2];
    snprintf(commandLine, sizeof commandLine, "\"%s\"", program);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};

    double start = Now();
    if (!CreateProcessA(NULL, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return -1;
    double seconds = -1;
    if (WaitForInputIdle(process.hProcess, TIMEOUT_MS) == 0) {
        WindowSearch search = { process.dwProcessId, NULL };
        while (!search.found && Now() - start < TIMEOUT_MS / 1000.0) {
            EnumWindows(FindVisibleWindow, (LPARAM)&search);
            if (!search.found)
                Sleep(1);
        }
        if (search.found)
            seconds = Now() - start;
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, TIMEOUT_MS);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return seconds;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        fprintf(stderr, "usage: startup_bench wizard.exe minimal.exe wizard_window.exe\n");
        return 2;
    }
    const int PROGRAMS = 3;
    const char *names[PROGRAMS] = { "wizard", "minimal dialog", "wizard's window alone" };
    std::vector<double> times[PROGRAMS];
    // Each round starts the programs in a rotated order, so that none always follows another.
    for (int run = -1; run < RUNS; run++) {
        for (int step = 0; step < PROGRAMS; step++) {
            int which = (step + (run < 0 ? 0 : run)) % PROGRAMS;
            double seconds = TimeStart(argv[1 + which]);
            if (seconds < 0) {
                fprintf(stderr, "startup_bench: %s showed no window\n", argv[1 + which]);
                return 1;
            }
            if (run >= 0)
                times[which].push_back(seconds);
        }
    }
    double median[PROGRAMS];
    printf("start-up to first painted window, median of %d interleaved runs each:\n", RUNS);
    for (int i = 0; i < PROGRAMS; i++) {
        median[i] = Median(times[i]);
        printf("  %-30s %.3f s  (best %.3f s)\n", names[i], median[i],
               *std::min_element(times[i].begin(), times[i].end()));
    }
    printf("startup_ratio=%.3f  (wizard / minimal dialog; goal 1.3)\n", median[0] / median[1]);
    printf("  window_over_minimal=%.3f  (the wizard's window alone / minimal dialog: what its controls cost)\n",
           median[2] / median[1]);
    printf("  wizard_over_window=%.3f  (wizard / its window alone: the installer's own start-up work)\n",
           median[0] / median[2]);
    return 0;
}
