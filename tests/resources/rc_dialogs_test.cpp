// The generator of the POSIX dialog table, run on dialog_fixture.rc at
// build time: every statement form it reads, with the styles a resource
// compiler gives each control statement.
#include <gtest/gtest.h>

#include <string>

#include "platform/internal/resource_dialogs.h"

namespace {

struct ItemCase {
  const char* className;
  const char* text;
  int id;
  DWORD style;
  short x, y, cx, cy;
};

const DWORD kChild = WS_CHILD | WS_VISIBLE;

const ItemCase kItems[] = {
    {"STATIC", "Right", 7, kChild | SS_RIGHT | WS_GROUP, 1, 2, 3, 4},
    {"STATIC", "Centre, with a comma", 0x20, kChild | SS_CENTER | WS_GROUP, 5, 6, 7, 8},
    {"EDIT", "", 8, kChild | ES_LEFT | WS_BORDER | WS_TABSTOP, 0, 0, 10, 10},
    {"LISTBOX", "", 9, kChild | LBS_NOTIFY | WS_BORDER, 0, 0, 10, 10},
    {"COMBOBOX", "", 10, kChild | CBS_DROPDOWNLIST | 0x200000, 0, 0, 10, 10},
    {"BUTTON", "Go", IDOK, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 20, 30, 40, 14},
    {"EDIT", "", 12, kChild | ES_PASSWORD, 20, 30, 40, 14},
};

TEST(RcDialogs, EveryStatementFormIsRead) {
  ASSERT_EQ(resourceDialogCount, 2);
  const ResourceDialog& first = resourceDialogs[0];
  EXPECT_EQ(first.id, 109u);
  EXPECT_EQ(first.style, DWORD(WS_POPUP | WS_CAPTION));
  EXPECT_EQ(first.exStyle, 8u);
  EXPECT_EQ(first.x, 10);
  EXPECT_EQ(first.y, -2);
  EXPECT_EQ(first.cx, 100);
  EXPECT_EQ(first.cy, 50);
  EXPECT_STREQ(first.caption, "A \"quoted\" caption, with a comma");
  EXPECT_EQ(first.face, nullptr);
  ASSERT_EQ(first.itemCount, int(sizeof kItems / sizeof kItems[0]));
  for (int i = 0; i < first.itemCount; ++i) {
    const ResourceDialogItem& item = first.items[i];
    const ItemCase& c = kItems[i];
    SCOPED_TRACE(i);
    EXPECT_STREQ(item.className, c.className);
    EXPECT_STREQ(item.text, c.text);
    EXPECT_EQ(item.id, c.id);
    EXPECT_EQ(item.style, c.style);
    EXPECT_EQ(item.x, c.x);
    EXPECT_EQ(item.y, c.y);
    EXPECT_EQ(item.cx, c.cx);
    EXPECT_EQ(item.cy, c.cy);
  }
  const ResourceDialog& second = resourceDialogs[1];
  EXPECT_EQ(second.id, 0x2Au);
  EXPECT_EQ(second.style, DWORD(DS_SETFONT));  // FONT implies it
  EXPECT_EQ(second.pointSize, 9);
  EXPECT_STREQ(second.face, "Some Face");
  EXPECT_EQ(second.itemCount, 0);
  EXPECT_EQ(resourceDialogs[2].id, 0u);  // the end of the table
}

}  // namespace
