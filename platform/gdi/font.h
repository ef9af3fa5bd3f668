// Logical fonts of platform/gdi and the realized fonts behind them. A
// logical font is only its LOGFONTA until it is first measured or drawn
// with; then fontconfig picks the face, FreeType opens it at the em size the
// height asks for, and the font keeps its metrics and glyph cache.
#ifndef QUILLON_PLATFORM_GDI_FONT_H
#define QUILLON_PLATFORM_GDI_FONT_H

#include "platform/gdi/font_face.h"
#include "platform/gdi/gdi_objects.h"
#include "platform/gdi/glyph_cache.h"

struct RealizedFont {
  FT_Face face = nullptr;
  int emPixels = 0;
  TEXTMETRICA metrics = {};
  bool fixedPitch = false;    // every glyph advances by tmAveCharWidth
  bool symbolFont = false;    // glyphs are looked up in the symbol range
  bool synthesizeBold = false;     // bold asked for, regular face found
  bool synthesizeItalic = false;   // italic asked for, upright face found
  GlyphCache glyphs;
  ~RealizedFont();
};

struct FontObject : GdiObject {
  LOGFONTA logfont = {};
  RealizedFont* realized = nullptr;
  bool unrealizable = false;
  ~FontObject() override;
};

// The stock fonts SYSTEM_FONT (every new device context's font) and
// DEFAULT_GUI_FONT; NULL for other indexes.
FontObject* stockFont(int index);

// The realized font, made on first use; NULL when no face can be opened.
RealizedFont* realizeFont(FontObject* font);

int fontObjectInfo(const FontObject& font, int size, void* buffer);

#endif
