// What a fuzz target does when a property it checks does not hold: it says
// which, and aborts, which the fuzzer (or the corpus replay) reports as a
// crash with the input that caused it.
#ifndef QUILLON_FUZZ_FUZZ_CHECK_H
#define QUILLON_FUZZ_FUZZ_CHECK_H

#include <stdio.h>
#include <stdlib.h>

inline void fuzzCheck(bool holds, const char* property) {
  if (holds) return;
  fprintf(stderr, "fuzz: property does not hold: %s\n", property);
  abort();
}

#endif
