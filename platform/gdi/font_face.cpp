// FreeType faces and their GDI figures (see font_face.h). The metrics follow
// GDI's rules for TrueType fonts: ascent and descent are the OS/2 table's
// Windows ascent and descent (the hhea values when those are missing),
// scaled to the em and rounded each on its own; a fixed-pitch face's
// character width is its advance, a proportional face's the OS/2 average.
#include "platform/gdi/font_face.h"

#include <math.h>

#include FT_TRUETYPE_TABLES_H

#include <algorithm>

#include "platform/gdi/gdi_objects.h"

namespace {

FT_Library freetype() {
  static FT_Library library = nullptr;
  if (!library && FT_Init_FreeType(&library) != 0) library = nullptr;
  return library;
}

// Values in font design units.
struct DesignMetrics {
  int unitsPerEm;
  int ascent;
  int descent;
  int externalLeading;
  int averageWidth;  // 0 when the face does not say
  int maxAdvance;
  int boxWidth;
};

DesignMetrics designMetrics(FT_Face face) {
  const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const TT_HoriHeader* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  DesignMetrics d;
  d.unitsPerEm = face->units_per_EM > 0 ? face->units_per_EM : 1000;
  int hheaAscent = hhea ? hhea->Ascender : face->ascender;
  int hheaDescent = hhea ? -hhea->Descender : -face->descender;
  int lineGap = hhea ? hhea->Line_Gap : face->height - (hheaAscent + hheaDescent);
  if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
    d.ascent = os2->usWinAscent;
    d.descent = os2->usWinDescent;
  } else {
    d.ascent = hheaAscent;
    d.descent = hheaDescent;
  }
  if (d.ascent + d.descent <= 0) {
    d.ascent = d.unitsPerEm * 4 / 5;
    d.descent = d.unitsPerEm - d.ascent;
  }
  d.externalLeading = std::max(0, lineGap - ((d.ascent + d.descent) - (hheaAscent + hheaDescent)));
  d.averageWidth = os2 && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : 0;
  d.maxAdvance = hhea ? hhea->advance_Width_Max : face->max_advance_width;
  d.boxWidth = int(face->bbox.xMax - face->bbox.xMin);
  return d;
}

LONG scaled(int designValue, int emPixels, int unitsPerEm) {
  return LONG(lround(double(designValue) * emPixels / unitsPerEm));
}

// Win32's family bits, from the PANOSE classification.
BYTE familyOf(FT_Face face) {
  if (faceIsFixedPitch(face)) return FF_MODERN;
  const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (!os2) return FF_DONTCARE;
  switch (os2->panose[0]) {
    case 2:  // Latin text: sans-serif styles are 11 to 15
      return os2->panose[1] >= 11 && os2->panose[1] <= 15 ? FF_SWISS : FF_ROMAN;
    case 3: return FF_SCRIPT;
    case 4:
    case 5: return FF_DECORATIVE;
    default: return FF_DONTCARE;
  }
}

bool hasSymbolCharmap(FT_Face face) {
  for (int i = 0; i < face->num_charmaps; ++i) {
    if (face->charmaps[i]->encoding == FT_ENCODING_MS_SYMBOL) return true;
  }
  return false;
}

// A character that a face covering the character set surely has.
struct CodePageProbe {
  DWORD codePageBit;
  FT_ULong character;
};
const CodePageProbe kProbes[] = {
    {1u << 0, 0x00E9},  {1u << 1, 0x0150},  {1u << 2, 0x0416}, {1u << 3, 0x03A9},
    {1u << 4, 0x011E},  {1u << 5, 0x05D0},  {1u << 6, 0x0627}, {1u << 7, 0x0116},
    {1u << 8, 0x01B0},  {1u << 16, 0x0E01}, {1u << 17, 0x3042}, {1u << 19, 0xAC00},
};

}  // namespace

const CharsetInfo kCharsets[] = {
    {ANSI_CHARSET, 1u << 0, "Western"},
    {EASTEUROPE_CHARSET, 1u << 1, "Central European"},
    {RUSSIAN_CHARSET, 1u << 2, "Cyrillic"},
    {GREEK_CHARSET, 1u << 3, "Greek"},
    {TURKISH_CHARSET, 1u << 4, "Turkish"},
    {HEBREW_CHARSET, 1u << 5, "Hebrew"},
    {ARABIC_CHARSET, 1u << 6, "Arabic"},
    {BALTIC_CHARSET, 1u << 7, "Baltic"},
    {VIETNAMESE_CHARSET, 1u << 8, "Vietnamese"},
    {THAI_CHARSET, 1u << 16, "Thai"},
    {SHIFTJIS_CHARSET, 1u << 17, "Japanese"},
    {GB2312_CHARSET, 1u << 18, "CHINESE_GB2312"},
    {HANGUL_CHARSET, 1u << 19, "Hangul"},
    {CHINESEBIG5_CHARSET, 1u << 20, "CHINESE_BIG5"},
    {JOHAB_CHARSET, 1u << 21, "Hangul(Johab)"},
    {SYMBOL_CHARSET, 1u << 31, "Symbol"},
};
const int kCharsetCount = sizeof(kCharsets) / sizeof(kCharsets[0]);

FT_Face openFace(const FontFile& file) {
  FT_Library library = freetype();
  FT_Face face = nullptr;
  if (!library || FT_New_Face(library, file.path.c_str(), file.index, &face) != 0) return nullptr;
  return face;
}

int emSizeForHeight(FT_Face face, LONG height) {
  if (height == 0) height = 16;
  int64_t em;
  if (height > 0) {
    DesignMetrics d = designMetrics(face);
    int cell = d.ascent + d.descent;
    em = (int64_t(height) * d.unitsPerEm + cell / 2) / cell;
  } else {
    em = -int64_t(height);
  }
  if (em < 1) em = 1;
  if (em > kMaxEmPixels) {
    gdiLimitation("a font height beyond an em of 1024 pixels is drawn at an em of 1024 pixels");
    em = kMaxEmPixels;
  }
  return int(em);
}

void faceTextMetrics(FT_Face face, int emPixels, TEXTMETRICA* tm) {
  if (FT_Set_Pixel_Sizes(face, 0, emPixels) != 0 && face->num_fixed_sizes > 0) {
    FT_Select_Size(face, 0);
  }
  DesignMetrics d = designMetrics(face);
  const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  int upem = d.unitsPerEm;
  bool fixedPitch = faceIsFixedPitch(face);

  tm->tmAscent = scaled(d.ascent, emPixels, upem);
  tm->tmDescent = scaled(d.descent, emPixels, upem);
  tm->tmHeight = tm->tmAscent + tm->tmDescent;
  // The part of the cell above and below the em, scaled like the rest.
  tm->tmInternalLeading = std::max<LONG>(0, scaled(d.ascent + d.descent - upem, emPixels, upem));
  tm->tmExternalLeading = scaled(d.externalLeading, emPixels, upem);
  if (fixedPitch || d.averageWidth == 0) {
    int width = fixedPitch ? d.maxAdvance : 0;
    if (width == 0 && FT_Load_Char(face, 'x', FT_LOAD_NO_SCALE) == 0) {
      width = int(face->glyph->metrics.horiAdvance);
    }
    tm->tmAveCharWidth = scaled(width, emPixels, upem);
  } else {
    tm->tmAveCharWidth = scaled(d.averageWidth, emPixels, upem);
  }
  if (tm->tmAveCharWidth < 1) tm->tmAveCharWidth = 1;
  tm->tmMaxCharWidth = std::max(tm->tmAveCharWidth, scaled(d.boxWidth, emPixels, upem));
  tm->tmWeight = os2 && os2->usWeightClass > 0 ? os2->usWeightClass
                 : (face->style_flags & FT_STYLE_FLAG_BOLD) ? FW_BOLD
                                                            : FW_NORMAL;
  tm->tmOverhang = 0;
  tm->tmDigitizedAspectX = 96;
  tm->tmDigitizedAspectY = 96;
  // What GDI reports for the ANSI view of a TrueType font.
  tm->tmFirstChar = 0x1E;
  tm->tmLastChar = 0xFF;
  tm->tmDefaultChar = 0x1F;
  tm->tmBreakChar = 0x20;
  tm->tmItalic = (face->style_flags & FT_STYLE_FLAG_ITALIC) ? 1 : 0;
  tm->tmUnderlined = 0;
  tm->tmStruckOut = 0;
  // Win32's bit is set for a variable pitch: TMPF_FIXED_PITCH means "not fixed".
  tm->tmPitchAndFamily = BYTE((fixedPitch ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR |
                              (FT_IS_SFNT(face) ? TMPF_TRUETYPE : 0) | familyOf(face));
  tm->tmCharSet = charsetForRequest(faceCodePages(face), DEFAULT_CHARSET);
}

bool faceIsFixedPitch(FT_Face face) {
  if (FT_IS_FIXED_WIDTH(face)) return true;
  const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  return os2 && os2->panose[0] == 2 && os2->panose[3] == 9;  // PANOSE: monospaced
}

FaceDesignSizes faceDesignSizes(FT_Face face) {
  DesignMetrics d = designMetrics(face);
  return FaceDesignSizes{UINT(d.unitsPerEm), UINT(d.ascent + d.descent), UINT(d.averageWidth)};
}

DWORD faceCodePages(FT_Face face) {
  const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  DWORD codePages = os2 && os2->version >= 1 ? DWORD(os2->ulCodePageRange1) : 0;
  if (hasSymbolCharmap(face)) codePages |= 1u << 31;
  if (codePages == 0) {
    for (const CodePageProbe& probe : kProbes) {
      if (FT_Get_Char_Index(face, probe.character) != 0) codePages |= probe.codePageBit;
    }
  }
  return codePages;
}

BYTE charsetForRequest(DWORD codePages, BYTE requested) {
  const CharsetInfo* first = nullptr;
  for (int i = 0; i < kCharsetCount; ++i) {
    const CharsetInfo& info = kCharsets[i];
    if (!(codePages & info.codePageBit)) continue;
    if (info.charset == requested) return requested;
    if (!first) first = &info;
  }
  if (codePages & 1u) return ANSI_CHARSET;
  return first ? first->charset : OEM_CHARSET;
}
