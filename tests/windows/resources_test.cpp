// The resources that windres compiles from resources/quillon.rc, read back
// through Win32 from this test program, which links the same script: string
// 109 is the window class name; icon 107 holds a 32x32 and a 16x16 image and
// icon 108 a 16x16 image, all with 16 colours.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource.h"

namespace {

// One image of an icon group as the resource stores it (GRPICONDIRENTRY).
struct IconImage {
  int width;
  int height;
  int colors;
  int bitsPerPixel;
  bool operator==(const IconImage& other) const {
    return width == other.width && height == other.height && colors == other.colors &&
           bitsPerPixel == other.bitsPerPixel;
  }
};

std::vector<IconImage> iconImages(int id) {
  std::vector<IconImage> images;
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  if (!found) return images;
  const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  // GRPICONDIR: reserved, type, count (WORD each); then 14-byte entries:
  // width, height, colour count, reserved (BYTE), planes, bits (WORD), ...
  int count = data[4] | data[5] << 8;
  for (int i = 0; i < count; ++i) {
    const BYTE* entry = data + 6 + 14 * i;
    images.push_back({entry[0] ? entry[0] : 256, entry[1] ? entry[1] : 256, entry[2],
                      entry[6] | entry[7] << 8});
  }
  return images;
}

}  // namespace

TEST(Resources, String109IsTheWindowClassName) {
  char text[100];
  EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), IDS_APP_CLASS, text, sizeof text), 10);
  EXPECT_STREQ(text, "QUILLONSCR");
}

TEST(Resources, IconsHoldTheirImagesWith16Colours) {
  struct Case {
    int id;
    std::vector<IconImage> images;
  };
  const Case cases[] = {
      {IDI_QUILLON, {{32, 32, 16, 4}, {16, 16, 16, 4}}},
      {IDI_SMALL, {{16, 16, 16, 4}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(iconImages(c.id), c.images);
    EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(c.id)), nullptr);
  }
}
