// The process's resident memory as Linux reports it, for the benchmarks'
// peak-memory figures.
#ifndef QUILLON_BENCH_FEED_RESIDENT_MEMORY_H
#define QUILLON_BENCH_FEED_RESIDENT_MEMORY_H

// A field of /proc/self/status in KiB ("VmHWM", "VmRSS").
long statusKiB(const char* field);

// Resets the peak resident size to the current one (Linux 4.0 and later).
void resetPeak();

#endif
