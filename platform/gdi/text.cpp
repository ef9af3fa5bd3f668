// Text: TextOutA, GetTextExtentPoint32A and GetTextMetricsA, with the font
// selected into the device context, and the glyph runs that DrawTextA
// shares (text_run.h).
//
// TextOutA takes Windows-1252 bytes and puts the top-left corner of the
// first character cell at (x, y) (the default alignment, TA_LEFT | TA_TOP):
// the baseline lies tmAscent below y, and each character advances by its
// glyph's advance. In OPAQUE mode the cells are first filled with the
// background colour; in TRANSPARENT mode only the glyphs' pixels change.
// Glyphs are blended into the pixels by their anti-aliased coverage.
#include <windows.h>

#include "platform/gdi/dc.h"
#include "platform/gdi/font.h"
#include "platform/gdi/gdi_rules.h"
#include "platform/gdi/primitives.h"
#include "platform/gdi/text_run.h"
#include "platform/internal/trace.h"

namespace {

RealizedFont* fontOf(const DcObject& dc) { return dc.font ? realizeFont(dc.font) : nullptr; }

int64_t textWidth(RealizedFont& font, LPCSTR text, int count) {
  int64_t width = 0;
  for (int i = 0; i < count; ++i) width += glyphFor(font, static_cast<unsigned char>(text[i])).advance;
  return width;
}

// Blends one glyph with its origin at (originX, baseline); returns the
// pixels it may have changed.
RECT drawGlyph(const DcObject& dc, const PixelBuffer& pixels, const Glyph& glyph, int64_t originX,
               int64_t baseline, uint32_t pixel) {
  int64_t left = originX + glyph.left, top = baseline - glyph.top;
  RECT area = clipToBuffer(left, top, left + glyph.width, top + glyph.height, pixels.width,
                           pixels.height);
  if (isEmptyRect(area)) return area;
  dcPixelsWillChange(dc, area);
  primitives32.blendMask(pixels, area, glyph.mask(), int(area.left - left), int(area.top - top),
                         pixel);
  return area;
}

}  // namespace

bool drawTextRun(HDC dc, int x, int y, LPCSTR text, int count, bool traced) {
  DcObject* context = findDc(dc);
  if (!context || count < 0 || (count > 0 && !text)) return false;
  if (count == 0) return true;
  RealizedFont* font = fontOf(*context);
  PixelBuffer pixels;
  if (!font || !dcPixels(*context, &pixels)) return false;
  const TEXTMETRICA& metrics = font->metrics;

  RECT changed = {0, 0, 0, 0};
  if (context->bkMode == OPAQUE) {
    RECT cells = clipToBuffer(x, y, x + textWidth(*font, text, count), int64_t(y) + metrics.tmHeight,
                              pixels.width, pixels.height);
    if (!isEmptyRect(cells)) {
      dcPixelsWillChange(*context, cells);
      primitives32.solidRect(pixels, cells, pixelFromColorValue(context->bkColor));
      changed = cells;
    }
  }
  uint32_t textPixel = pixelFromColorValue(context->textColor);
  int64_t originX = x, baseline = int64_t(y) + metrics.tmAscent;
  for (int i = 0; i < count; ++i) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    if (traced && traceEnabled()) traceEvent("textout %d %d %d", int(originX), y, byte);
    const Glyph& glyph = glyphFor(*font, byte);
    changed = unionRect(changed, drawGlyph(*context, pixels, glyph, originX, baseline, textPixel));
    originX += glyph.advance;
  }
  dcPixelsChanged(*context, changed);
  return true;
}

BOOL WINAPI TextOutA(HDC dc, int x, int y, LPCSTR text, int count) {
  return drawTextRun(dc, x, y, text, count, true);
}

BOOL WINAPI GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, LPSIZE size) {
  DcObject* context = findDc(dc);
  if (!context || count < 0 || !size || (count > 0 && !text)) return FALSE;
  if (count == 0) {
    // Win32 gives an empty extent for no text, height included.
    size->cx = size->cy = 0;
    return TRUE;
  }
  RealizedFont* font = fontOf(*context);
  if (!font) return FALSE;
  size->cx = LONG(textWidth(*font, text, count));
  size->cy = font->metrics.tmHeight;
  return TRUE;
}

BOOL WINAPI GetTextMetricsA(HDC dc, LPTEXTMETRICA metrics) {
  DcObject* context = findDc(dc);
  if (!context || !metrics) return FALSE;
  RealizedFont* font = fontOf(*context);
  if (!font) return FALSE;
  *metrics = font->metrics;
  return TRUE;
}
