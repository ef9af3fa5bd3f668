// The resources that windres compiles from resources/quillon.rc, read back
// through Win32 from this test program, which links the same script: string 1
// is the name the display settings list and string 109 the window class
// name; icon 107 holds a 32x32 and a 16x16 image and icon 108 a 16x16 image,
// all with 16 colours; manifest 1 asks for the common controls 6 and
// per-monitor DPI awareness, and no execution level.
#include <windows.h>

#include <gtest/gtest.h>

#include <string.h>

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

// The program's manifest (resource 1 of type RT_MANIFEST), as text without
// its XML comments, which Windows does not read.
std::string manifestText() {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
  if (!found) return "";
  const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
  std::string text(data, SizeofResource(module, found));
  size_t open;
  while ((open = text.find("<!--")) != std::string::npos) {
    size_t close = text.find("-->", open);
    text.erase(open, close == std::string::npos ? std::string::npos : close + 3 - open);
  }
  return text;
}

}  // namespace

TEST(Resources, SaverNameAndWindowClassName) {
  struct Case {
    int id;
    const char* text;
  };
  const Case cases[] = {{IDS_DESCRIPTION, "Quillon"}, {IDS_APP_CLASS, "QUILLONSCR"}};
  EXPECT_EQ(IDS_DESCRIPTION, 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    char text[100] = "";
    EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), c.id, text, sizeof text),
              static_cast<int>(strlen(c.text)));
    EXPECT_STREQ(text, c.text);
  }
}

TEST(Resources, ManifestDeclaresDpiAwarenessAndCommonControlsWithoutExecutionLevel) {
  std::string manifest = manifestText();
  ASSERT_NE(manifest, "");
  const char* present[] = {
      "name=\"Microsoft.Windows.Common-Controls\"",
      "version=\"6.0.0.0\"",
      "publicKeyToken=\"6595b64144ccf1df\"",
      ">true/pm</dpiAware>",
      ">PerMonitorV2, PerMonitor</dpiAwareness>",
  };
  for (const char* text : present) EXPECT_NE(manifest.find(text), std::string::npos) << text;
  // An execution level would end the VirtualStore redirection of the INI file.
  EXPECT_EQ(manifest.find("requestedExecutionLevel"), std::string::npos);
  EXPECT_EQ(manifest.find("trustInfo"), std::string::npos);
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
