// The glyphs of a realized font, rendered by FreeType once per character
// and kept: a Windows-1252 byte costs a table look-up after its first use.
// A font keeps at most kGlyphCacheBytes of coverage; past that (only fonts
// of absurd sizes get there) further glyphs are rendered on every use
// instead of being kept.
#ifndef QUILLON_PLATFORM_GDI_GLYPH_CACHE_H
#define QUILLON_PLATFORM_GDI_GLYPH_CACHE_H

#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "platform/gdi/primitives.h"

struct RealizedFont;

struct Glyph {
  bool cached = false;
  int advance = 0;  // pixels from this character's origin to the next one's
  // The coverage bitmap's top-left corner, relative to the origin on the
  // baseline (y upwards, as FreeType gives it).
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<uint8_t> coverage;

  CoverageMask mask() const { return CoverageMask{coverage.data(), width, height}; }
};

const size_t kGlyphCacheBytes = 16 << 20;

struct GlyphCache {
  Glyph glyphs[256];
  Glyph uncached;  // the last glyph rendered past the limit
  size_t bytes = 0;
};

// The glyph of a Windows-1252 byte. The reference stays valid until the next
// call for the same font.
const Glyph& glyphFor(RealizedFont& font, unsigned char byte);

#endif
