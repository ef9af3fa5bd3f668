// The trace of observable events, for tests and automation. When the
// environment names a file in QUILLON_TRACE, every event is appended to it as
// one line: the driver clock's time in milliseconds, a blank, the event text.
// The event vocabulary is documented in platform/drivers/headless/README.md.
#ifndef QUILLON_PLATFORM_INTERNAL_TRACE_H
#define QUILLON_PLATFORM_INTERNAL_TRACE_H

bool traceEnabled();

// printf-style event text without the time and without a newline.
void traceEvent(const char* format, ...) __attribute__((format(printf, 1, 2)));

#endif
