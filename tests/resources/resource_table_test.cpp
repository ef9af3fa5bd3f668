// The program's own string table as the POSIX build generates it from
// resources/quillon.rc: string 1 is the name the display settings list,
// string 109 the window class name.
#include <gtest/gtest.h>

#include <string>

#include "platform/internal/resource_strings.h"
#include "resources/resource.h"

TEST(ResourceTable, SaverNameAndWindowClassName) {
  struct Case {
    unsigned id;
    const char* text;
  };
  const Case cases[] = {{1, "Quillon"}, {109, "QUILLONSCR"}};
  EXPECT_EQ(IDS_DESCRIPTION, 1);
  EXPECT_EQ(IDS_APP_CLASS, 109);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    std::string text;
    for (int i = 0; i < resourceStringCount; ++i)
      if (resourceStrings[i].id == c.id) text = resourceStrings[i].text;
    EXPECT_EQ(text, c.text);
  }
}
