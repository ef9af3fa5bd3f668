// Font files found through fontconfig: the face that a logical font asks for
// (by face name, weight, italic and pitch, falling back to whatever
// fontconfig finds closest), and the list of installed scalable faces, each
// with the family name Windows would give it.
#ifndef QUILLON_PLATFORM_GDI_FONT_MATCH_H
#define QUILLON_PLATFORM_GDI_FONT_MATCH_H

#include <windows.h>

#include <string>
#include <vector>

struct FontFile {
  std::string path;
  int index = 0;  // face index inside a collection
};

// False only when fontconfig finds no font at all.
bool matchFontFile(const LOGFONTA& font, FontFile* out);

struct InstalledFace {
  // The face's legacy family name: Windows groups faces by it, so a
  // condensed cut is a family of its own.
  std::string family;
  std::string fullName;
  std::string style;
  FontFile file;
  // How far the face is from the family's regular member (upright, normal
  // weight and width); the family's nearest face represents it.
  int distanceFromRegular = 0;
};

// Every installed scalable face, sorted by family name without regard to
// case, and within a family the face nearest to the regular one first.
std::vector<InstalledFace> listInstalledFaces();

// The Windows families that fontconfig stands in for with a metric-compatible
// installed face (Arial, Courier New, Times New Roman with fonts-liberation)
// and that no installed family bears the name of: one entry each, named as
// on Windows (family and full name), pointing at the regular face of the
// stand-in. `installed` is listInstalledFaces().
std::vector<InstalledFace> windowsFamilyStandIns(const std::vector<InstalledFace>& installed);

#endif
