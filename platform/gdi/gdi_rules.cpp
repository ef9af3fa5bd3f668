// Rectangle clipping and colour values (see gdi_rules.h).
#include "platform/gdi/gdi_rules.h"

#include <algorithm>

#include "platform/internal/pixels.h"

namespace {

// The 20 static colours of the default palette, as COLORREFs.
const COLORREF kDefaultPalette[20] = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000,
    0xC0C0C0, 0xC0DCC0, 0xF0CAA6, 0xF0FBFF, 0xA4A0A0, 0x808080, 0x0000FF,
    0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

}  // namespace

RECT clipToBuffer(int64_t left, int64_t top, int64_t right, int64_t bottom, int width, int height) {
  left = std::max<int64_t>(left, 0);
  top = std::max<int64_t>(top, 0);
  right = std::min<int64_t>(right, width);
  bottom = std::min<int64_t>(bottom, height);
  if (right <= left || bottom <= top) return RECT{0, 0, 0, 0};
  return RECT{LONG(left), LONG(top), LONG(right), LONG(bottom)};
}

bool isEmptyRect(const RECT& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

RECT intersectRect(const RECT& a, const RECT& b) {
  RECT r = {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
  return isEmptyRect(r) ? RECT{0, 0, 0, 0} : r;
}

RECT unionRect(const RECT& a, const RECT& b) {
  if (isEmptyRect(a)) return b;
  if (isEmptyRect(b)) return a;
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

uint32_t pixelFromColorValue(COLORREF color) {
  if ((color >> 24) == 0x01) {  // PALETTEINDEX(n)
    unsigned index = color & 0xFFFF;
    return pixelFromColorref(index < 20 ? kDefaultPalette[index] : kDefaultPalette[0]);
  }
  return pixelFromColorref(color & 0xFFFFFF);
}
