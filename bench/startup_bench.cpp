// Start-up time of the wizard against a minimal dialog program, both started the same way
// by this launcher, interleaved, median of several runs each.
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
    if (argc != 3) {
        fprintf(stderr, "usage: startup_bench wizard.exe minimal.exe\n");
        return 2;
    }
    const char *programs[2] = { argv[1], argv[2] };
    std::vector<double> times[2];
    for (int run = -1; run < RUNS; run++) {
        for (int step = 0; step < 2; step++) {
            int which = run % 2 ? 1 - step : step;
            double seconds = TimeStart(programs[which]);
            if (seconds < 0) {
                fprintf(stderr, "startup_bench: %s showed no window\n", programs[which]);
                return 1;
            }
            if (run >= 0)
                times[which].push_back(seconds);
        }
    }
    double wizard = Median(times[0]), minimal = Median(times[1]);
    printf("start-up to first painted window, median of %d interleaved runs each:\n", RUNS);
    printf("  %-30s %.3f s  (best %.3f s)\n", "wizard", wizard, *std::min_element(times[0].begin(), times[0].end()));
    printf("  %-30s %.3f s  (best %.3f s)\n", "minimal dialog", minimal,
           *std::min_element(times[1].begin(), times[1].end()));
    printf("startup_ratio=%.3f  (goal 1.3)\n", wizard / minimal);
    return 0;
}
