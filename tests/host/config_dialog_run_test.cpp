// The configuration dialog of the real program ("/c"), driven through the
// headless driver's script by control id as a user would drive it, and
// judged by the settings file it leaves: OK saves what the dialog shows,
// every other way out saves nothing.
#include <gtest/gtest.h>

#include "tests/host/saver_process.h"

namespace {

const char* const kSettings =
    "font name=Cour\nfont size=30\nindent=4\ntype delay=50\nline scroll delay=500\n"
    "fgcolor=0000FF\nbgcolor=000000\nfetch timeout=5\n"
    "url count=3\nurl0=zeta\nurl1=alpha\nurl2=mid";

struct DialogCase {
  const char* name;
  const char* script;               // runs from 100 ms; "at 9000 quit" is added
  long result;                      // the dialog's result in the trace
  std::vector<const char*> saved;   // lines the settings file then holds
};

// Control ids: 1001 font size, 1002 URL list, 1003 URL field, 1004 Add,
// 1005 Del, 1006 indent, 1007 font box, 1010 foreground, 1011 its picker
// button, 1013 the background's picker button; in the colour picker 720 is
// the grid of basic colours (28: blue), 721 the custom colours, 712 "Add to
// Custom Colors".
const DialogCase kCases[] = {
    {"Cancel", "at 100 command 2\n", 2, {}},
    {"Escape", "at 100 key ESCAPE\n", 2, {}},
    {"close box", "at 100 close\n", 2, {}},
    {"OK sorts the URLs and keeps the rest",
     "at 100 command 1\n",
     1,
     {"url count=3", "url0=alpha", "url1=mid", "url2=zeta", "font name=Courier New",
      "font size=30", "indent=4", "type delay=50", "line scroll delay=500", "fgcolor=0000FF",
      "bgcolor=000000", "fetch timeout=5"}},
    {"Enter in the URL field is OK, not Add",
     "at 100 focus 1003\nat 110 type http://new\nat 120 key RETURN\n",
     1,
     {"url count=3"}},
    {"Add trims blanks around the URL; blanks only add nothing",
     "at 100 focus 1003\nat 110 key SPACE\nat 120 type http://b\nat 130 key SPACE\n"
     "at 140 command 1004\nat 150 key SPACE\nat 160 key ALT+A\nat 170 command 1\n",
     1,
     {"url count=4", "url1=http://b"}},
    {"the same URL added twice is kept twice",
     "at 100 focus 1003\nat 110 type dup\nat 120 command 1004\nat 130 type dup\n"
     "at 140 command 1004\nat 150 command 1\n",
     1,
     {"url count=5", "url0=alpha", "url1=dup", "url2=dup"}},
    {"Del without a selection deletes nothing",
     "at 100 command 1005\nat 110 command 1\n",
     1,
     {"url count=3"}},
    {"Del deletes the selected URL",
     "at 100 select 1002 1\nat 110 command 1005\nat 120 command 1\n",
     1,
     {"url count=2", "url0=alpha", "url1=zeta"}},
    {"every URL removed saves none",
     "at 100 select 1002 0\nat 110 key ALT+D\nat 120 select 1002 0\nat 130 key ALT+D\n"
     "at 140 select 1002 0\nat 150 key ALT+D\nat 160 command 1\n",
     1,
     {"url count=0"}},
    {"number fields take only digits, colour fields six hexadecimal digits",
     "at 100 focus 1001\nat 110 key CTRL+A\nat 120 type 12abc\nat 130 key TAB\n"
     "at 140 type abc\nat 150 focus 1010\nat 160 key CTRL+A\nat 170 type xyz\n"
     "at 175 focus 1012\nat 176 key CTRL+A\nat 177 type 1a2B3cGZ4\n"
     "at 180 command 1\n",
     1,
     {"font size=12", "indent=4", "fgcolor=0000FF", "bgcolor=1A2B3C"}},
    {"pasted texts are read as far as they are numbers, beyond 32 bits saturated; a colour "
     "field keeps six digits of a paste",
     "at 100 focus 1003\nat 110 type 99999999999999999999x\nat 120 key SHIFT+HOME\n"
     "at 130 key CTRL+C\nat 140 focus 1009\nat 150 key CTRL+A\nat 160 key CTRL+V\n"
     "at 170 focus 1003\nat 175 key CTRL+A\nat 180 type FFFFFFFFFFFFFFFF\n"
     "at 185 key SHIFT+HOME\nat 190 key CTRL+C\nat 200 focus 1010\nat 210 key CTRL+A\n"
     "at 220 key CTRL+V\nat 230 command 1\n",
     1,
     {"type delay=2147483647", "fgcolor=FFFFFF"}},
    {"Shift+Home selects, Ctrl+C copies, Ctrl+V pastes into another field",
     "at 100 focus 1003\nat 110 type 77\nat 120 key SHIFT+HOME\nat 130 key CTRL+C\n"
     "at 140 focus 1001\nat 150 key CTRL+A\nat 160 key CTRL+V\nat 170 key END\n"
     "at 180 key SHIFT+LEFT\nat 190 key DELETE\nat 200 command 1\n",
     1,
     {"font size=7", "url count=3"}},
    {"Escape in the opened font list closes the list, not the dialog",
     "at 100 focus 1007\nat 110 key F4\nat 120 key ESCAPE\nat 130 command 1\n",
     1,
     {"font name=Courier New"}},
    {"a font the list does not have saves an empty name",
     "at 100 focus 1007\nat 110 key CTRL+A\nat 120 type NoSuchFaceAnywhere\n"
     "at 130 key ALT+F\nat 140 key CTRL+A\nat 150 key DELETE\nat 160 command 1\n",
     1,
     {"font name="}},
    {"the picker starts on the field's colour: OK keeps red",
     "at 100 command 1011\nat 200 command 1\nat 300 command 1\n",
     1,
     {"fgcolor=0000FF"}},
    {"the picker's blue is written FF0000",
     "at 100 command 1011\nat 200 select 720 28\nat 210 command 1\nat 300 command 1\n",
     1,
     {"fgcolor=FF0000"}},
    {"a colour added to the custom colours is there for the other picker",
     "at 100 command 1011\nat 200 select 720 28\nat 210 command 712\nat 220 command 1\n"
     "at 300 command 1013\nat 400 select 721 0\nat 410 command 1\nat 500 command 1\n",
     1,
     {"fgcolor=FF0000", "bgcolor=FF0000"}},
    {"a cancelled picker leaves the field",
     "at 100 command 1011\nat 200 select 720 28\nat 210 key ESCAPE\nat 300 command 1\n",
     1,
     {"fgcolor=0000FF"}},
};

TEST(ConfigDialogRun, EachWayOutSavesWhatTheDialogShows) {
  for (const DialogCase& c : kCases) {
    SaverSandbox sandbox;
    sandbox.writeSettings(kSettings);
    std::string path = sandbox.windowsDir() + "/quillonscr.ini";
    std::string before = readFile(path);
    SaverRun run = sandbox.run({"/c"}, std::string(c.script) + "at 9000 quit\n");
    std::string after = readFile(path);
    SCOPED_TRACE(std::string(c.name) + "\n" + run.trace.text() + run.errors + after);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.trace.starting("dialog w1 end ").size(), 1u);
    EXPECT_TRUE(run.trace.has("dialog w1 end " + std::to_string(c.result)));
    // The program says nothing (a sanitizer's summary may follow it).
    EXPECT_EQ(run.errors.find("quillon"), std::string::npos);
    if (c.saved.empty()) {
      EXPECT_EQ(after, before);
      continue;
    }
    for (const char* line : c.saved)
      EXPECT_NE(("\n" + after).find(std::string("\n") + line + "\n"), std::string::npos) << line;
  }
}

// The dialog is placed by its client area's size: the window's top-left
// corner goes where the client area would be centred, so the dialog with its
// caption and frame sits slightly right of and below the centre.
TEST(ConfigDialogRun, DialogIsCentredByItsClientArea) {
  SaverSandbox sandbox;
  sandbox.setEnv("QUILLON_SCREEN", "1000x700");
  SaverRun run = sandbox.run({"/c"}, "at 100 quit\n");
  // The client area is 287x266 (191x177 dialog units of a 6x12 font), the
  // window 293x290 with a 3-pixel frame and an 18-pixel caption; the corner
  // is (1000 / 2 - 287 / 2, 700 / 2 - 266 / 2), each half truncated.
  EXPECT_TRUE(run.trace.has("move w1 357,217 293x290")) << run.trace.text();
}

}  // namespace
