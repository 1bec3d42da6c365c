// Runs the registered benchmarks; each prints its own figures.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "bench/bench.h"

namespace {
struct Entry {
    const char* name;
    BenchFunction function;
};

Entry g_entries[64];
int g_nEntries = 0;
} // namespace

int RegisterBench(const char* name, BenchFunction function) {
    if (g_nEntries < static_cast<int>(sizeof(g_entries) / sizeof(g_entries[0])))
        g_entries[g_nEntries++] = Entry{name, function};
    return g_nEntries;
}

double BenchNow() {
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int main(int argc, char** argv) {
    const char* filter = argc > 1 ? argv[1] : nullptr;
    int run = 0;
    for (int i = 0; i < g_nEntries; ++i) {
        if (filter != nullptr && strstr(g_entries[i].name, filter) == nullptr)
            continue;
        printf("== %s\n", g_entries[i].name);
        fflush(stdout);
        g_entries[i].function();
        fflush(stdout);
        ++run;
    }
    if (run == 0) {
        printf("no benchmark matches\n");
        return 1;
    }
    return 0;
}
