// FreeType faces and the GDI figures taken from them: the em size that a
// LOGFONT height asks for, TEXTMETRIC values at an em size, and the
// character sets a face covers (the FONTSIGNATURE code-page bits).
#ifndef QUILLON_PLATFORM_GDI_FONT_FACE_H
#define QUILLON_PLATFORM_GDI_FONT_FACE_H

#include <ft2build.h>
#include FT_FREETYPE_H
#include <windows.h>

#include "platform/gdi/font_match.h"

// The face, or NULL when FreeType cannot open it. Release with FT_Done_Face.
FT_Face openFace(const FontFile& file);

// The largest em size the layer renders, in pixels (see emSizeForHeight).
const int kMaxEmPixels = 1024;

// The em size in pixels for a LOGFONT height, as GDI computes it: a positive
// height is the cell (ascent + descent, internal leading included), a
// negative one the em, and 0 a cell of 16 pixels. Larger em sizes than
// kMaxEmPixels are clamped to it, with a line on the diagnostics channel: an
// absurd height must not make glyph bitmaps of unbounded size.
int emSizeForHeight(FT_Face face, LONG height);

// Sets the face to `emPixels` and fills the metrics that come from the face
// alone: heights, widths, weight, italic, pitch and family. The character
// set and the underline and strike-out flags are the caller's.
void faceTextMetrics(FT_Face face, int emPixels, TEXTMETRICA* metrics);

bool faceIsFixedPitch(FT_Face face);

// Sizes in font design units: the em, the cell (ascent + descent) and the
// average character width, for NEWTEXTMETRICA.
struct FaceDesignSizes {
  UINT em;
  UINT cell;
  UINT averageWidth;
};
FaceDesignSizes faceDesignSizes(FT_Face face);

// The FONTSIGNATURE fsCsb[0] bits of the code pages the face covers.
DWORD faceCodePages(FT_Face face);

// The character set of the font obtained for a requested one: the request
// when the face covers it, else ANSI_CHARSET when it covers that, else the
// first it covers (OEM_CHARSET for a face that declares none).
BYTE charsetForRequest(DWORD codePages, BYTE requested);

// Each character set with its code-page bit and the script name
// EnumFontFamiliesExA reports for it, in Windows' order.
struct CharsetInfo {
  BYTE charset;
  DWORD codePageBit;
  const char* script;
};
extern const CharsetInfo kCharsets[];
extern const int kCharsetCount;

#endif
