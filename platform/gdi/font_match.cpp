// Font matching and listing through fontconfig (see font_match.h).
#include "platform/gdi/font_match.h"

#include <fontconfig/fontconfig.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>

#include <algorithm>

namespace {

// The generic fontconfig family that Win32's pitch and family bits ask for;
// NULL when they ask for nothing in particular.
const char* genericFamily(BYTE pitchAndFamily) {
  if ((pitchAndFamily & 0x03) == FIXED_PITCH) return "monospace";
  switch (pitchAndFamily & 0xF0) {
    case FF_MODERN: return "monospace";
    case FF_ROMAN: return "serif";
    case FF_SWISS: return "sans-serif";
    case FF_SCRIPT: return "cursive";
    case FF_DECORATIVE: return "fantasy";
    default: return nullptr;
  }
}

// Windows' dialog faces, which Linux systems do not have, stand for the
// face Windows itself draws them with nowadays, whose metrics they share;
// fontconfig then finds that face's metric-compatible stand-in (Liberation
// Sans for Arial). An installed face of the asked name still comes first.
const char* dialogFaceSubstitute(const char* face) {
  static const char* const kDialogFaces[] = {"MS Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2",
                                             "Microsoft Sans Serif"};
  for (const char* dialogFace : kDialogFaces)
    if (strcasecmp(face, dialogFace) == 0) return "Arial";
  return nullptr;
}

// The last value of a multi-valued name whose language is English (or not
// given): fontconfig lists the typographic family first and the legacy
// (Windows) family after it.
std::string englishName(FcPattern* pattern, const char* object, const char* langObject) {
  std::string chosen, first;
  FcChar8* value;
  for (int i = 0; FcPatternGetString(pattern, object, i, &value) == FcResultMatch; ++i) {
    if (i == 0) first = reinterpret_cast<char*>(value);
    FcChar8* lang;
    if (FcPatternGetString(pattern, langObject, i, &lang) != FcResultMatch ||
        strcmp(reinterpret_cast<char*>(lang), "en") == 0) {
      chosen = reinterpret_cast<char*>(value);
    }
  }
  return chosen.empty() ? first : chosen;
}

int integerOf(FcPattern* pattern, const char* object, int fallback) {
  int value;
  return FcPatternGetInteger(pattern, object, 0, &value) == FcResultMatch ? value : fallback;
}

}  // namespace

bool matchFontFile(const LOGFONTA& font, FontFile* out) {
  FcPattern* pattern = FcPatternCreate();
  char face[LF_FACESIZE];
  memcpy(face, font.lfFaceName, LF_FACESIZE);
  face[LF_FACESIZE - 1] = 0;
  if (face[0]) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<FcChar8*>(face));
  if (const char* substitute = dialogFaceSubstitute(face))
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(substitute));
  // After the face name, so that it only decides when the face is missing.
  const char* generic = genericFamily(font.lfPitchAndFamily);
  if (generic) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(generic));
  int weight = font.lfWeight > 0 ? std::min<int>(font.lfWeight, 1000) : FW_NORMAL;
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
  FcPatternAddInteger(pattern, FC_SLANT, font.lfItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);

  FcResult result;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return false;
  FcChar8* file;
  bool found = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch;
  if (found) {
    out->path = reinterpret_cast<char*>(file);
    out->index = integerOf(match, FC_INDEX, 0);
  }
  FcPatternDestroy(match);
  return found;
}

std::vector<InstalledFace> listInstalledFaces() {
  std::vector<InstalledFace> faces;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcObjectSet* objects =
      FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, FC_FULLNAME, FC_FULLNAMELANG, FC_STYLE,
                       FC_STYLELANG, FC_FILE, FC_INDEX, FC_WEIGHT, FC_SLANT, FC_WIDTH, nullptr);
  FcFontSet* set = FcFontList(nullptr, pattern, objects);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  if (!set) return faces;

  for (int i = 0; i < set->nfont; ++i) {
    FcPattern* font = set->fonts[i];
    FcChar8* file;
    if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) continue;
    InstalledFace face;
    face.family = englishName(font, FC_FAMILY, FC_FAMILYLANG);
    if (face.family.empty()) continue;
    face.fullName = englishName(font, FC_FULLNAME, FC_FULLNAMELANG);
    if (face.fullName.empty()) face.fullName = face.family;
    face.style = englishName(font, FC_STYLE, FC_STYLELANG);
    face.file.path = reinterpret_cast<char*>(file);
    face.file.index = integerOf(font, FC_INDEX, 0);
    int slant = integerOf(font, FC_SLANT, FC_SLANT_ROMAN);
    face.distanceFromRegular = (slant != FC_SLANT_ROMAN ? 1000 : 0) +
                               abs(integerOf(font, FC_WEIGHT, FC_WEIGHT_REGULAR) - FC_WEIGHT_REGULAR) +
                               abs(integerOf(font, FC_WIDTH, FC_WIDTH_NORMAL) - FC_WIDTH_NORMAL);
    faces.push_back(face);
  }
  FcFontSetDestroy(set);

  std::stable_sort(faces.begin(), faces.end(), [](const InstalledFace& a, const InstalledFace& b) {
    int order = strcasecmp(a.family.c_str(), b.family.c_str());
    if (order != 0) return order < 0;
    return a.distanceFromRegular < b.distanceFromRegular;
  });
  return faces;
}

namespace {

bool isGenericFamily(const char* family) {
  static const char* const kGeneric[] = {"sans-serif", "serif", "monospace", "cursive",
                                         "fantasy", "system-ui", "emoji", "math"};
  for (const char* generic : kGeneric)
    if (strcasecmp(family, generic) == 0) return true;
  return false;
}

// The first installed face of a family that fontconfig's configuration puts
// in place of `name` before any generic family: a chosen stand-in, not a
// fallback. Null when there is none.
const InstalledFace* standInFor(const char* name, const std::vector<InstalledFace>& installed) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  const InstalledFace* found = nullptr;
  FcChar8* family;
  for (int i = 1; !found && FcPatternGetString(pattern, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
    const char* candidate = reinterpret_cast<const char*>(family);
    if (isGenericFamily(candidate)) break;
    for (const InstalledFace& face : installed) {
      if (strcasecmp(face.family.c_str(), candidate) == 0) {
        found = &face;  // the family's nearest face to regular comes first
        break;
      }
    }
  }
  FcPatternDestroy(pattern);
  return found;
}

}  // namespace

std::vector<InstalledFace> windowsFamilyStandIns(const std::vector<InstalledFace>& installed) {
  static const char* const kWindowsFamilies[] = {"Arial", "Courier New", "Times New Roman"};
  std::vector<InstalledFace> standIns;
  for (const char* name : kWindowsFamilies) {
    bool present = false;
    for (const InstalledFace& face : installed)
      if (strcasecmp(face.family.c_str(), name) == 0) present = true;
    if (present) continue;
    const InstalledFace* standIn = standInFor(name, installed);
    if (!standIn) continue;
    InstalledFace entry = *standIn;
    entry.family = name;
    entry.fullName = name;
    standIns.push_back(entry);
  }
  return standIns;
}
