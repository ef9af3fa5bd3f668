// The program's own string table as the POSIX build generates it from
// resources/quillon.rc: the window class name is string 109.
#include <gtest/gtest.h>

#include <string>

#include "platform/internal/resource_strings.h"
#include "resources/resource.h"

TEST(ResourceTable, WindowClassNameIsString109) {
  EXPECT_EQ(IDS_APP_CLASS, 109);
  std::string text;
  for (int i = 0; i < resourceStringCount; ++i)
    if (resourceStrings[i].id == IDS_APP_CLASS) text = resourceStrings[i].text;
  EXPECT_EQ(text, "QUILLONSCR");
}
