// The program's own resource tables as the POSIX build generates them from
// resources/quillon.rc: string 1 is the name the display settings list,
// string 109 the window class name, dialog 129 the configuration dialog.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/internal/resource_dialogs.h"
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

// The configuration dialog as the POSIX build generates it from the DIALOG
// statement: its frame, font and every control in tab order, with the
// styles the script gives and WS_CHILD | WS_VISIBLE.
TEST(ResourceTable, ConfigurationDialogIsDialog129) {
  const ResourceDialog* dialog = nullptr;
  for (int i = 0; i < resourceDialogCount; ++i)
    if (resourceDialogs[i].id == IDD_CONFIG) dialog = &resourceDialogs[i];
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->style, DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
  EXPECT_EQ(dialog->cx, 191);
  EXPECT_EQ(dialog->cy, 177);
  EXPECT_STREQ(dialog->caption, "--== Configuration ==--");
  EXPECT_EQ(dialog->pointSize, 8);
  EXPECT_STREQ(dialog->face, "MS Sans Serif");
  ASSERT_EQ(dialog->itemCount, 24);

  struct Expected {
    const char* className;
    const char* text;
    int id;
    short x, y, cx, cy;
  };
  const Expected first = {"STATIC", "&Font:", -1, 30, 16, 17, 8};
  const Expected font = {"COMBOBOX", "", IDC_FONT_NAME, 49, 14, 103, 148};
  const Expected last = {"BUTTON", "Cancel", IDCANCEL, 99, 156, 27, 14};
  const std::pair<int, Expected> checks[] = {{0, first}, {1, font}, {23, last}};
  for (const auto& check : checks) {
    const ResourceDialogItem& item = dialog->items[check.first];
    EXPECT_STREQ(item.className, check.second.className);
    EXPECT_STREQ(item.text, check.second.text);
    EXPECT_EQ(item.id, check.second.id);
    EXPECT_EQ(item.x, check.second.x);
    EXPECT_EQ(item.y, check.second.y);
    EXPECT_EQ(item.cx, check.second.cx);
    EXPECT_EQ(item.cy, check.second.cy);
    EXPECT_EQ(item.style & (WS_CHILD | WS_VISIBLE), DWORD(WS_CHILD | WS_VISIBLE));
  }
  EXPECT_EQ(dialog->items[1].style & 0xFFFF, DWORD(CBS_DROPDOWN | CBS_SORT));
  EXPECT_EQ(dialog->items[22].style & BS_TYPEMASK, DWORD(BS_DEFPUSHBUTTON));
  int tabStops = 0;
  for (int i = 0; i < dialog->itemCount; ++i)
    if (dialog->items[i].style & WS_TABSTOP) ++tabStops;
  EXPECT_EQ(tabStops, 16);  // everything but the eight labels
}
