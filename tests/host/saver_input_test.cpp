// Input rules of the saver window, end to end: what wakes the saver, what
// closes the windowed saver, the window drag, and the preview ignoring
// everything. Input comes from the headless driver's script; the window's
// fate is read from the trace ("destroy w1" when it closed).
#include <gtest/gtest.h>

#include "tests/host/saver_process.h"

namespace {

// Windowed mode on the default 1024x768 screen: the client area's
// top-left corner is at (342, 256) and it is 341x256.
const int kWindowLeft = 342;
const int kWindowTop = 256;

class SaverInput : public ::testing::Test {
 protected:
  void SetUp() override { sandbox_.useDocument("The quick brown fox\n"); }

  // Runs the mode with the script and returns when the window was destroyed
  // (-1 when it never was).
  long long closedAt(const std::vector<std::string>& args, const std::string& script) {
    last_ = sandbox_.run(args, script + "at 9000 quit\n");
    EXPECT_EQ(last_.exitCode, 0) << last_.errors;
    return last_.trace.firstTime("destroy w1");
  }

  SaverSandbox sandbox_;
  SaverRun last_;
};

TEST_F(SaverInput, SaverIgnoresFourMouseMovesAndWakesOnTheFifth) {
  std::string script;
  for (int i = 0; i < 5; i++)
    script += "at " + std::to_string(1000 + 100 * i) + " mousemove " + std::to_string(100 + 10 * i) +
              " 100\n";
  EXPECT_EQ(closedAt({"/s"}, script), 1400) << last_.trace.text();
  EXPECT_EQ(last_.trace.starting("mousemove").size(), 5u);
}

TEST_F(SaverInput, SaverWakesOnAnyKey) {
  for (const char* key : {"A", "Q", "SPACE", "ESCAPE", "SHIFT", "LEFT", "F1", "SHIFT+Q"}) {
    EXPECT_EQ(closedAt({"/s"}, std::string("at 1000 key ") + key + "\n"), 1000) << key;
  }
}

// Alt alone is a system key, and a key like any other: it wakes the saver
// (a system key's default processing could close the window or open its
// menu).
TEST_F(SaverInput, SaverWakesOnAltAloneToo) {
  EXPECT_EQ(closedAt({"/s"}, "at 1000 key ALT\nat 2000 key A\n"), 1000) << last_.trace.text();
}

TEST_F(SaverInput, SaverWakesOnEachButtonPressButNotOnARelease) {
  for (const char* button : {"left", "right", "middle"}) {
    EXPECT_EQ(closedAt({"/s"}, std::string("at 1000 click ") + button + " 500 400\n"), 1000)
        << button;
  }
  EXPECT_EQ(closedAt({"/s"}, "at 1000 release left 500 400\nat 2000 press right 500 400\n"), 2000);
}

// Each close request closes the saver once; the window keeps no life after
// several requests queued by more activity.
TEST_F(SaverInput, SaverClosesOnceOnAnyActivity) {
  EXPECT_EQ(closedAt({"/s"}, "at 1000 key A\nat 1000 key B\nat 1000 click left 5 5\n"), 1000);
  EXPECT_EQ(last_.trace.starting("destroy").size(), 1u);
  EXPECT_EQ(last_.trace.starting("quit 0").size(), 1u);
}

TEST_F(SaverInput, WindowedClosesOnQAndShiftQOnly) {
  EXPECT_EQ(closedAt({"-w"}, "at 1000 key Q\n"), 1000);
  EXPECT_EQ(closedAt({"-w"}, "at 1000 key SHIFT+Q\n"), 1000);
  EXPECT_EQ(closedAt({"-w"}, "at 1000 key ESCAPE\nat 1100 key A\nat 1200 key SPACE\n"
                            "at 1300 click right 400 300\nat 2000 key Q\n"),
            2000);
}

// Pressing at client (10, 20) and moving to (15, 20) puts the window's left
// edge at the client area's screen left + 5 - 3 and its top at the client
// area's screen top - 3. The next move is measured from the moved window.
TEST_F(SaverInput, WindowedDragsWithTheLeftButton) {
  auto at = [](int ms, const char* action, int x, int y) {
    return "at " + std::to_string(ms) + " " + action + " " + std::to_string(x) + " " +
           std::to_string(y) + "\n";
  };
  std::string script = at(1000, "mousemove", kWindowLeft + 50, kWindowTop + 50) +  // no drag yet
                       at(1100, "press left", kWindowLeft + 10, kWindowTop + 20) +
                       at(1200, "mousemove", kWindowLeft + 15, kWindowTop + 20) +
                       at(1300, "mousemove", kWindowLeft + 20, kWindowTop + 20) +
                       at(1400, "release left", kWindowLeft + 20, kWindowTop + 20) +
                       at(1500, "mousemove", kWindowLeft + 90, kWindowTop + 90) +  // drag over
                       "at 2000 key Q\n";
  EXPECT_EQ(closedAt({"-w"}, script), 2000);
  std::vector<TraceLine> moves = last_.trace.starting("move w1");
  ASSERT_EQ(moves.size(), 2u) << last_.trace.text();
  EXPECT_EQ(moves[0].ms, 1200u);
  EXPECT_EQ(moves[0].event, "move w1 344,253 341x256");  // 342 + 5 - 3, 256 + 0 - 3
  // The pointer at screen x 362 is client x 18 of the moved window: 344 + 8 - 3.
  EXPECT_EQ(moves[1].ms, 1300u);
  EXPECT_EQ(moves[1].event, "move w1 349,253 341x256");
}

TEST_F(SaverInput, PreviewIgnoresAllInput) {
  std::string script =
      "at 1000 key Q\nat 1100 key ESCAPE\nat 1200 click left 20 20\nat 1300 click right 30 30\n";
  for (int i = 0; i < 8; i++)
    script += "at " + std::to_string(1400 + 10 * i) + " mousemove " + std::to_string(10 + i) + " 10\n";
  EXPECT_EQ(closedAt({"/p", "4242"}, script), -1) << last_.trace.text();
  EXPECT_TRUE(last_.trace.has("keydown Q w1"));
  EXPECT_TRUE(last_.trace.has("buttondown left 20,20 w1"));
  EXPECT_GT(last_.trace.starting("textout").size(), 20u);  // typing went on
}

}  // namespace
