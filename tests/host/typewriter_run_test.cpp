// The typewriter in the real program, through the trace: the first tick
// fetches the document and pauses, the scroll comes a line scroll delay
// later, the first character a type delay after that, then one character
// per type delay; each line end pauses again. Delays and indent come from
// the settings file.
#include <gtest/gtest.h>
#include <stdio.h>

#include "tests/host/saver_process.h"

namespace {

struct Typed {
  uint64_t ms;
  int x, y;
  char byte;
};

std::vector<Typed> textOutputs(const Trace& trace) {
  std::vector<Typed> out;
  for (const TraceLine& line : trace.starting("textout ")) {
    int x, y, byte;
    if (sscanf(line.event.c_str(), "textout %d %d %d", &x, &y, &byte) == 3)
      out.push_back(Typed{line.ms, x, y, char(byte)});
  }
  return out;
}

TEST(TypewriterRun, FetchesScrollsThenTypesAtTheConfiguredPace) {
  SaverSandbox sandbox;
  sandbox.useDocument("Hey\r\nyou\n", "type delay=70\nline scroll delay=300\nindent=5");
  SaverRun run = sandbox.run({"-w"}, "at 3000 key Q\n");
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  const Trace& trace = run.trace;

  EXPECT_EQ(trace.firstTime("settimer w1 43 70"), 0);
  // First tick: the line is empty, so the document is fetched and the
  // scroll timer armed in place of the typing timer.
  EXPECT_EQ(trace.firstTime("timer w1 43"), 70);
  EXPECT_EQ(trace.firstTime("settimer w1 42 300"), 70);
  EXPECT_EQ(trace.firstTime("killtimer w1 43"), 70);
  EXPECT_EQ(trace.firstTime("timer w1 42"), 370);

  std::vector<Typed> typed = textOutputs(trace);
  ASSERT_GE(typed.size(), 12u) << trace.text();
  int charWidth = typed[1].x - typed[0].x;  // the cursor's cell follows the character's
  ASSERT_GT(charWidth, 0);
  const char* expected = "Hey";
  for (int i = 0; i < 3; i++) {
    const Typed& character = typed[2 * i];
    const Typed& cursor = typed[2 * i + 1];
    EXPECT_EQ(character.ms, 440u + 70u * i);
    EXPECT_EQ(character.byte, expected[i]);
    EXPECT_EQ(character.x, 5 + charWidth * i);
    EXPECT_EQ(cursor.byte, '_');
    EXPECT_EQ(cursor.x, character.x + charWidth);
    EXPECT_EQ(cursor.y, character.y);
  }
  // The tick after "y" finds the line end (650): pause, scroll at 950, and
  // the next line's first character at 1020 in the first column again.
  EXPECT_EQ(typed[6].ms, 1020u);
  EXPECT_EQ(typed[6].byte, 'y');
  EXPECT_EQ(typed[6].x, 5);
  std::vector<TraceLine> scrolls = trace.starting("timer w1 42");
  ASSERT_GE(scrolls.size(), 2u);
  EXPECT_EQ(scrolls[1].ms, 950u);
}

}  // namespace
