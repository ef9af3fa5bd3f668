// Logical fonts: CreateFontA, CreateFontIndirectA, the stock fonts, their
// realization through fontconfig and FreeType, and what GetObjectA reports
// about a font (its LOGFONTA).
#include "platform/gdi/font.h"

#include <string.h>

namespace {

FontObject* makeFont(const LOGFONTA& logfont, bool stock) {
  FontObject* font = new FontObject;
  font->type = OBJ_FONT;
  font->logfont = logfont;
  font->logfont.lfFaceName[LF_FACESIZE - 1] = 0;
  font->stock = stock;
  if (!addGdiObject(font)) return nullptr;
  return font;
}

LOGFONTA stockLogfont(LONG height, LONG weight, BYTE pitchAndFamily, const char* face) {
  LOGFONTA logfont = {};
  logfont.lfHeight = height;
  logfont.lfWeight = weight;
  logfont.lfCharSet = ANSI_CHARSET;
  logfont.lfPitchAndFamily = pitchAndFamily;
  strncpy(logfont.lfFaceName, face, LF_FACESIZE - 1);
  return logfont;
}

// Says once, for each Win32 font feature the layer does not render, that it
// is ignored.
void reportIgnoredFeatures(const LOGFONTA& logfont) {
  if (logfont.lfWidth != 0) {
    gdiLimitation("a font's lfWidth is ignored: glyphs keep the face's proportions");
  }
  if (logfont.lfEscapement != 0 || logfont.lfOrientation != 0) {
    gdiLimitation("a font's escapement and orientation are ignored: text runs horizontally");
  }
  if (logfont.lfUnderline || logfont.lfStrikeOut) {
    gdiLimitation("underlined and struck-out fonts are drawn without the lines");
  }
}

}  // namespace

RealizedFont::~RealizedFont() {
  if (face) FT_Done_Face(face);
}

FontObject::~FontObject() { delete realized; }

FontObject* stockFont(int index) {
  // SYSTEM_FONT is a bold bitmap face with a 16-pixel cell on Windows; here it
  // is the closest scalable face fontconfig has for "System".
  static FontObject* system =
      makeFont(stockLogfont(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System"), true);
  static FontObject* gui = makeFont(stockLogfont(-11, FW_NORMAL, 0, "MS Shell Dlg"), true);
  switch (index) {
    case SYSTEM_FONT: return system;
    case DEFAULT_GUI_FONT: return gui;
    default: return nullptr;
  }
}

RealizedFont* realizeFont(FontObject* font) {
  if (font->realized || font->unrealizable) return font->realized;
  const LOGFONTA& logfont = font->logfont;
  FontFile file;
  FT_Face face = matchFontFile(logfont, &file) ? openFace(file) : nullptr;
  if (!face) {
    gdiLimitation("no font face could be found or opened; text calls fail");
    font->unrealizable = true;
    return nullptr;
  }
  reportIgnoredFeatures(logfont);

  RealizedFont* realized = new RealizedFont;
  realized->face = face;
  if (!face->charmap) FT_Select_Charmap(face, FT_ENCODING_MS_SYMBOL);
  realized->symbolFont = face->charmap && face->charmap->encoding == FT_ENCODING_MS_SYMBOL;
  realized->fixedPitch = faceIsFixedPitch(face);
  realized->emPixels = emSizeForHeight(face, logfont.lfHeight);
  TEXTMETRICA& tm = realized->metrics;
  faceTextMetrics(face, realized->emPixels, &tm);
  tm.tmCharSet = charsetForRequest(faceCodePages(face), logfont.lfCharSet);

  // Like GDI, make bold and italic from a regular face when the family has
  // no such face.
  LONG weight = logfont.lfWeight > 0 ? logfont.lfWeight : FW_NORMAL;
  if (weight > 550 && tm.tmWeight < 550) {
    realized->synthesizeBold = true;
    tm.tmWeight = FW_BOLD;
  }
  if (logfont.lfItalic && !tm.tmItalic) {
    realized->synthesizeItalic = true;
    tm.tmItalic = 1;
  }
  tm.tmUnderlined = logfont.lfUnderline ? 1 : 0;
  tm.tmStruckOut = logfont.lfStrikeOut ? 1 : 0;
  font->realized = realized;
  return realized;
}

int fontObjectInfo(const FontObject& font, int size, void* buffer) {
  if (!buffer) return sizeof(LOGFONTA);
  // Win32 copies as much as the buffer holds.
  if (size > int(sizeof(LOGFONTA))) size = sizeof(LOGFONTA);
  if (size <= 0) return 0;
  memcpy(buffer, &font.logfont, size);
  return size;
}

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* logfont) {
  if (!logfont) return NULL;
  FontObject* font = makeFont(*logfont, false);
  return font ? static_cast<HFONT>(font->handle) : NULL;
}

HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight,
                         DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                         DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                         DWORD pitchAndFamily, LPCSTR faceName) {
  LOGFONTA logfont = {};
  logfont.lfHeight = height;
  logfont.lfWidth = width;
  logfont.lfEscapement = escapement;
  logfont.lfOrientation = orientation;
  logfont.lfWeight = weight;
  logfont.lfItalic = BYTE(italic);
  logfont.lfUnderline = BYTE(underline);
  logfont.lfStrikeOut = BYTE(strikeOut);
  logfont.lfCharSet = BYTE(charSet);
  logfont.lfOutPrecision = BYTE(outPrecision);
  logfont.lfClipPrecision = BYTE(clipPrecision);
  logfont.lfQuality = BYTE(quality);
  logfont.lfPitchAndFamily = BYTE(pitchAndFamily);
  if (faceName) strncpy(logfont.lfFaceName, faceName, LF_FACESIZE - 1);
  return CreateFontIndirectA(&logfont);
}
