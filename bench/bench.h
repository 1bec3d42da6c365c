// A tiny benchmark registry: each bench_*.cpp registers its functions with CLOCK_BENCH and
// bench_main runs them all (or those whose name contains the first argument).
#ifndef CLOCK_BENCH_BENCH_H
#define CLOCK_BENCH_BENCH_H

typedef void (*BenchFunction)();

int RegisterBench(const char* name, BenchFunction function);

// Seconds on the performance counter.
double BenchNow();

// Runs body repeatedly for at least minSeconds (and at least once); returns seconds per run.
template <typename Body> double BenchTime(Body body, double minSeconds = 0.5) {
    long runs = 0;
    const double start = BenchNow();
    double elapsed = 0;
    do {
        body();
        ++runs;
        elapsed = BenchNow() - start;
    } while (elapsed < minSeconds);
    return elapsed / static_cast<double>(runs);
}

#define CLOCK_BENCH(name)                                                                          \
    static void name();                                                                            \
    static const int name##Registered = RegisterBench(#name, name);                                \
    static void name()

#endif
