// parseCommandLine: the run mode and window number of every kind of command
// line the screen-saver machinery or a user passes.
#include "host/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/saver_state.h"

namespace {

struct Case {
  const char* text;
  RunMode mode;
  uintptr_t parent;
};

const Case kCases[] = {
    {"", Windowed, 0},
    {"-w", Windowed, 0},
    {"-W", Windowed, 0},
    {"/s -w", Windowed, 0},        // "-w" is tested first
    {"/c", Configure, 0},
    {"-C", Configure, 0},
    {"/c:4242", Configure, 0},     // the number is ignored
    {"/s /c", Configure, 0},       // "/c" before "/s"
    {"/s", Saver, 0},
    {"/S", Saver, 0},
    {"-s", Saver, 0},
    {"/p 4242", Preview, 4242},
    {"-p1234", Preview, 1234},     // read from the third character either way
    {"/P 12x3", Preview, 12},      // reading stops at the first non-digit
    {"/p", Preview, 0},
    {"/p abc", Preview, 0},
    {"  /p 12", Preview, 0},       // the third character is the slash
    {"/p   \t 99", Preview, 99},   // leading blanks skipped
    {"/p 4294967297", Preview, 1}, // window numbers are 32 bits wide
    {"-a 77", SetPassword, 77},
    {"/A 5", SetPassword, 5},
    {"/x", None, 0},
    {"hello", None, 0},
    {"s", None, 0},
};

TEST(ParseCommandLine, SelectsModeAndWindowNumber) {
  for (const Case& c : kCases) {
    runMode = None;
    parentWindow = nullptr;
    std::vector<char> text(c.text, c.text + strlen(c.text) + 1);
    parseCommandLine(text.data());
    EXPECT_EQ(runMode, c.mode) << "command line \"" << c.text << "\"";
    EXPECT_EQ(reinterpret_cast<uintptr_t>(parentWindow), c.parent)
        << "command line \"" << c.text << "\"";
  }
}

TEST(ParseCommandLine, LowerCasesTheTextInPlace) {
  char text[] = "/P 12 ABC";
  parseCommandLine(text);
  EXPECT_STREQ(text, "/p 12 abc");
}

TEST(ParseCommandLine, NullOrUnknownTextLeavesTheModeAlone) {
  runMode = Saver;
  parentWindow = reinterpret_cast<HWND>(uintptr_t(9));
  parseCommandLine(nullptr);
  EXPECT_EQ(runMode, Saver);
  char unknown[] = "/x";
  parseCommandLine(unknown);
  EXPECT_EQ(runMode, Saver);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(parentWindow), 9u);
  runMode = None;
  parentWindow = nullptr;
}

}  // namespace
