// The generator of the POSIX string table, run on fixture.rc at build time:
// ids from numbers and header symbols, texts with their escapes as the
// resource compiler stores them, entries of every block in script order.
#include <gtest/gtest.h>

#include <string.h>

#include "platform/internal/resource_strings.h"

TEST(RcStrings, EveryEntryOfEveryBlockInScriptOrder) {
  struct Expected {
    unsigned id;
    const char* text;
  };
  const Expected expected[] = {
      {109, "QUILLONSCR"},
      {0x20, "say \"hi\"; [x] http://a/b"},
      {7, "tab\there\\ A"},
      {300, ""},
  };
  const int count = sizeof expected / sizeof expected[0];
  ASSERT_EQ(resourceStringCount, count);
  for (int i = 0; i < count; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(resourceStrings[i].id, expected[i].id);
    EXPECT_STREQ(resourceStrings[i].text, expected[i].text);
  }
}

TEST(RcStrings, TableEndsWithAnEmptyEntry) {
  EXPECT_EQ(resourceStrings[resourceStringCount].id, 0u);
  EXPECT_EQ(resourceStrings[resourceStringCount].text, nullptr);
}
