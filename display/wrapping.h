// Arithmetic on the 32-bit values the display computes from the settings
// (indent, cell width, positions), as a 32-bit Windows program does it: the
// sum or product wraps around in two's complement instead of overflowing.
// Computed on unsigned numbers, so it is defined behaviour in C++ and gives
// the same result on every build.
#ifndef QUILLON_DISPLAY_WRAPPING_H
#define QUILLON_DISPLAY_WRAPPING_H

#include <stdint.h>

inline int32_t wrapAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

inline int32_t wrapSub(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

inline int32_t wrapMul(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

#endif
