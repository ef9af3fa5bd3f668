// Font enumeration: EnumFontFamiliesExA over the scalable faces fontconfig
// knows.
//
// With an empty face name every family is reported through its face nearest
// to the regular one, once for each character set it covers (restricted to
// the requested character set unless that is DEFAULT_CHARSET); with a face
// name, every face of that family (or of that full name) is reported. The
// Windows families that fontconfig replaces by a metric-compatible installed
// face (Courier New by Liberation Mono...) are reported too, under their
// Windows names, through that face, so settings written on Windows name a
// family that exists here. The
// callback receives an ENUMLOGFONTEXA (elfFullName is the face's full name)
// and a NEWTEXTMETRICEXA with the metrics at an em of 32 pixels, as Windows
// gives them for TrueType faces. Families are reported in alphabetical order,
// without regard to case. Faces that exist only as bitmaps are not listed:
// the layer renders outlines. The result is the callback's last result, or
// 1 when nothing was reported.
#include <string.h>
#include <strings.h>

#include <algorithm>

#include "platform/gdi/font_face.h"
#include "platform/gdi/font_match.h"
#include FT_TRUETYPE_TABLES_H

namespace {

const int kEnumerationEm = 32;

void copyName(const std::string& name, void* field, size_t size) {
  strncpy(static_cast<char*>(field), name.c_str(), size - 1);
  static_cast<char*>(field)[size - 1] = 0;
}

// The records of one face, all but the character set.
void describeFace(FT_Face face, const InstalledFace& installed, ENUMLOGFONTEXA* elf,
                  NEWTEXTMETRICEXA* ntm) {
  memset(elf, 0, sizeof(*elf));
  memset(ntm, 0, sizeof(*ntm));
  TEXTMETRICA tm;
  faceTextMetrics(face, kEnumerationEm, &tm);
  memcpy(&ntm->ntmTm, &tm, sizeof(tm));  // TEXTMETRICA is NEWTEXTMETRICA's head
  ntm->ntmTm.ntmFlags = (tm.tmItalic ? NTM_ITALIC : 0) | (tm.tmWeight > 550 ? NTM_BOLD : 0);
  if (ntm->ntmTm.ntmFlags == 0) ntm->ntmTm.ntmFlags = NTM_REGULAR;
  FaceDesignSizes design = faceDesignSizes(face);
  ntm->ntmTm.ntmSizeEM = design.em;
  ntm->ntmTm.ntmCellHeight = design.cell;
  ntm->ntmTm.ntmAvgWidth = design.averageWidth;
  const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2) {
    ntm->ntmFontSig.fsUsb[0] = DWORD(os2->ulUnicodeRange1);
    ntm->ntmFontSig.fsUsb[1] = DWORD(os2->ulUnicodeRange2);
    ntm->ntmFontSig.fsUsb[2] = DWORD(os2->ulUnicodeRange3);
    ntm->ntmFontSig.fsUsb[3] = DWORD(os2->ulUnicodeRange4);
  }
  ntm->ntmFontSig.fsCsb[0] = faceCodePages(face);

  LOGFONTA& lf = elf->elfLogFont;
  lf.lfHeight = tm.tmHeight;
  lf.lfWidth = tm.tmAveCharWidth;
  lf.lfWeight = tm.tmWeight;
  lf.lfItalic = tm.tmItalic;
  lf.lfOutPrecision = OUT_STROKE_PRECIS;
  lf.lfClipPrecision = CLIP_STROKE_PRECIS;
  lf.lfQuality = DRAFT_QUALITY;
  // FIXED_PITCH (1) or VARIABLE_PITCH (2) from the inverted TMPF bit.
  lf.lfPitchAndFamily = BYTE((tm.tmPitchAndFamily & 0xF1) + 1);
  copyName(installed.family, lf.lfFaceName, LF_FACESIZE);
  copyName(installed.fullName, elf->elfFullName, LF_FULLFACESIZE);
  copyName(installed.style, elf->elfStyle, LF_FACESIZE);
}

// Reports one face once per character set; false when the callback stops
// the enumeration.
bool enumerateFace(const InstalledFace& installed, BYTE charset, FONTENUMPROCA callback,
                   LPARAM userValue, int* result) {
  FT_Face face = openFace(installed.file);
  if (!face) return true;
  ENUMLOGFONTEXA elf;
  NEWTEXTMETRICEXA ntm;
  describeFace(face, installed, &elf, &ntm);
  DWORD type = FT_IS_SFNT(face) ? TRUETYPE_FONTTYPE : 0;
  FT_Done_Face(face);

  DWORD codePages = ntm.ntmFontSig.fsCsb[0];
  for (int i = 0; i <= kCharsetCount; ++i) {
    // A face that declares no code page is reported once, as OEM_CHARSET.
    bool oem = i == kCharsetCount;
    if (oem ? codePages != 0 : !(codePages & kCharsets[i].codePageBit)) continue;
    BYTE reported = oem ? BYTE(OEM_CHARSET) : kCharsets[i].charset;
    if (charset != DEFAULT_CHARSET && charset != reported) continue;
    elf.elfLogFont.lfCharSet = ntm.ntmTm.tmCharSet = reported;
    copyName(oem ? "OEM/DOS" : kCharsets[i].script, elf.elfScript, LF_FACESIZE);
    *result = callback(&elf.elfLogFont, reinterpret_cast<const TEXTMETRICA*>(&ntm), type, userValue);
    if (*result == 0) return false;
  }
  return true;
}

}  // namespace

int WINAPI EnumFontFamiliesExA(HDC dc, LPLOGFONTA font, FONTENUMPROCA callback, LPARAM userValue,
                               DWORD flags) {
  (void)dc;
  (void)flags;
  if (!callback) return 0;
  BYTE charset = font ? font->lfCharSet : BYTE(DEFAULT_CHARSET);
  char faceName[LF_FACESIZE] = "";
  if (font) {
    memcpy(faceName, font->lfFaceName, LF_FACESIZE);
    faceName[LF_FACESIZE - 1] = 0;
  }

  int result = 1;
  std::vector<InstalledFace> faces = listInstalledFaces();
  std::vector<InstalledFace> standIns = windowsFamilyStandIns(faces);
  faces.insert(faces.end(), standIns.begin(), standIns.end());
  std::stable_sort(faces.begin(), faces.end(), [](const InstalledFace& a, const InstalledFace& b) {
    return strcasecmp(a.family.c_str(), b.family.c_str()) < 0;
  });
  for (size_t i = 0; i < faces.size(); ++i) {
    const InstalledFace& face = faces[i];
    if (faceName[0]) {
      if (strcasecmp(face.family.c_str(), faceName) != 0 &&
          strcasecmp(face.fullName.c_str(), faceName) != 0) {
        continue;
      }
    } else if (i > 0 && strcasecmp(faces[i - 1].family.c_str(), face.family.c_str()) == 0) {
      continue;  // the family was reported through its first face
    }
    if (!enumerateFace(face, charset, callback, userValue, &result)) break;
  }
  return result;
}
