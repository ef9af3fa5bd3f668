// Glyph rendering and caching (see glyph_cache.h): FreeType with its
// default hinting, 8-bit anti-aliased coverage.
#include "platform/gdi/glyph_cache.h"

#include <string.h>

#include "platform/kernel/codepage1252.h"
#include "platform/gdi/font.h"
#include FT_SYNTHESIS_H

namespace {

FT_UInt glyphIndex(const RealizedFont& font, unsigned char byte) {
  if (font.symbolFont) {
    // Symbol fonts map their characters at U+F000 + byte (some at the byte).
    FT_UInt index = FT_Get_Char_Index(font.face, 0xF000 + byte);
    return index ? index : FT_Get_Char_Index(font.face, byte);
  }
  // A character the face lacks gives glyph 0, the face's missing-glyph box.
  return FT_Get_Char_Index(font.face, unicodeFromWindows1252(byte));
}

// Copies FreeType's bitmap as 8-bit coverage; false for a format that has
// none (colour bitmaps).
bool copyCoverage(const FT_Bitmap& bitmap, Glyph* glyph) {
  glyph->width = int(bitmap.width);
  glyph->height = int(bitmap.rows);
  glyph->coverage.assign(size_t(glyph->width) * glyph->height, 0);
  for (int y = 0; y < glyph->height; ++y) {
    const unsigned char* row = bitmap.buffer + ptrdiff_t(y) * bitmap.pitch;
    uint8_t* out = &glyph->coverage[size_t(y) * glyph->width];
    if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
      memcpy(out, row, glyph->width);
    } else if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
      for (int x = 0; x < glyph->width; ++x) out[x] = (row[x / 8] & (0x80 >> (x % 8))) ? 255 : 0;
    } else {
      glyph->width = glyph->height = 0;
      glyph->coverage.clear();
      return false;
    }
  }
  return true;
}

// Renders the byte's glyph into FreeType's glyph slot; false when the face
// cannot load it.
bool renderGlyph(RealizedFont& font, unsigned char byte) {
  if (FT_Load_Glyph(font.face, glyphIndex(font, byte), FT_LOAD_DEFAULT) != 0) return false;
  FT_GlyphSlot slot = font.face->glyph;
  if (font.synthesizeBold) FT_GlyphSlot_Embolden(slot);
  if (font.synthesizeItalic) FT_GlyphSlot_Oblique(slot);
  if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) {
    return false;
  }
  return true;
}

}  // namespace

const Glyph& glyphFor(RealizedFont& font, unsigned char byte) {
  GlyphCache& cache = font.glyphs;
  if (cache.glyphs[byte].cached) return cache.glyphs[byte];

  bool rendered = renderGlyph(font, byte);
  FT_GlyphSlot slot = font.face->glyph;
  size_t bytes = rendered ? size_t(slot->bitmap.width) * slot->bitmap.rows : 0;
  bool keep = cache.bytes + bytes <= kGlyphCacheBytes;
  Glyph& glyph = keep ? cache.glyphs[byte] : cache.uncached;
  glyph = Glyph();
  if (rendered) {
    glyph.advance = int((slot->advance.x + 32) >> 6);
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    if (!copyCoverage(slot->bitmap, &glyph)) {
      gdiLimitation("a glyph in a colour format is drawn as blank");
    }
  }
  if (font.fixedPitch) glyph.advance = font.metrics.tmAveCharWidth;
  if (keep) {
    glyph.cached = true;
    cache.bytes += glyph.coverage.size();
  }
  return glyph;
}
