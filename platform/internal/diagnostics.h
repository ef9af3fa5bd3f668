// Diagnostics of the layer: what it cannot do as Win32 does, said once per
// text on stderr, and only when the environment variable QUILLON_DEBUG names
// the channel in its comma-separated list, or is "all". The channels are the
// layer's parts: "user", "gdi", "kernel", "x11" and "signals".
// Programs stay quiet otherwise; stderr is for what a user must act on.
#ifndef QUILLON_PLATFORM_INTERNAL_DIAGNOSTICS_H
#define QUILLON_PLATFORM_INTERNAL_DIAGNOSTICS_H

// printf-style text without a newline.
void layerDiagnostic(const char* channel, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

#endif
