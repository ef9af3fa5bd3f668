// Tests of the headless driver through a real program (headless_probe): the
// input script and the messages it produces, the trace, PNG snapshots, the
// virtual clock, and how a run ends (quit, close, stall, a bad script).
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/png_reader.h"
#include "tests/support/temp_dir.h"

namespace {

struct ProbeRun {
  int exitCode = -1;
  std::vector<std::string> output;  // the probe's lines
  std::vector<std::string> trace;   // the trace's lines
  std::string errors;
};

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Runs the probe with `script` (and arguments) on a 400x300 virtual screen.
ProbeRun runProbe(const TempDir& dir, const std::string& script, std::vector<std::string> args = {},
             std::vector<std::string> environment = {}) {
  std::string scriptPath = dir.write("script.txt", script);
  std::string tracePath = dir.file("trace.txt");
  std::string outPath = dir.file("out.txt"), errPath = dir.file("err.txt");
  ::remove(tracePath.c_str());
  pid_t child = fork();
  if (child == 0) {
    setenv("QUILLON_DRIVER", "headless", 1);
    setenv("QUILLON_SCREEN", "400x300", 1);
    setenv("QUILLON_SCRIPT", scriptPath.c_str(), 1);
    setenv("QUILLON_TRACE", tracePath.c_str(), 1);
    unsetenv("QUILLON_CLOCK");
    for (const std::string& e : environment) putenv(const_cast<char*>(e.c_str()));
    if (!freopen(outPath.c_str(), "w", stdout) || !freopen(errPath.c_str(), "w", stderr)) _exit(99);
    std::vector<char*> argv = {const_cast<char*>(HEADLESS_PROBE)};
    for (std::string& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    execv(HEADLESS_PROBE, argv.data());
    _exit(98);
  }
  ProbeRun run;
  int status = 0;
  waitpid(child, &status, 0);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.output = linesOf(readFile(outPath));
  run.trace = linesOf(readFile(tracePath));
  run.errors = readFile(errPath);
  return run;
}

// The lines of `lines` that contain `part`.
std::vector<std::string> matching(const std::vector<std::string>& lines, const std::string& part) {
  std::vector<std::string> found;
  for (const std::string& line : lines)
    if (line.find(part) != std::string::npos) found.push_back(line);
  return found;
}

using Lines = std::vector<std::string>;

TEST(HeadlessScript, KeysBecomeKeyMessagesWithWin32KeyData) {
  TempDir dir;
  struct Case {
    const char* line;
    Lines messages;
  };
  const Case cases[] = {
      {"at 10 key Q",
       {"10 main WM_KEYDOWN 0x51 0x100001", "10 main WM_CHAR 0x71 0x100001",
        "10 main WM_KEYUP 0x51 0xc0100001"}},
      {"at 10 key SHIFT+Q",
       {"10 main WM_KEYDOWN 0x10 0x2a0001", "10 main WM_KEYDOWN 0x51 0x100001",
        "10 main WM_CHAR 0x51 0x100001", "10 main WM_KEYUP 0x51 0xc0100001",
        "10 main WM_KEYUP 0x10 0xc02a0001"}},
      {"at 10 key ALT",
       {"10 main WM_SYSKEYDOWN 0x12 0x20380001", "10 main WM_SYSKEYUP 0x12 0xc0380001"}},
      {"at 10 key F10", {"10 main WM_SYSKEYDOWN 0x79 0x440001", "10 main WM_SYSKEYUP 0x79 0xc0440001"}},
      {"at 10 key LEFT", {"10 main WM_KEYDOWN 0x25 0x14b0001", "10 main WM_KEYUP 0x25 0xc14b0001"}},
      {"at 10 keydown Q\nat 20 keydown Q\nat 30 keyup Q",
       {"10 main WM_KEYDOWN 0x51 0x100001", "10 main WM_CHAR 0x71 0x100001",
        "20 main WM_KEYDOWN 0x51 0x40100001", "20 main WM_CHAR 0x71 0x40100001",
        "30 main WM_KEYUP 0x51 0xc0100001"}},
      {"at 10 type a B!",
       {"10 main WM_CHAR 0x61 0x1e0001", "10 main WM_CHAR 0x20 0x390001",
        "10 main WM_CHAR 0x42 0x300001", "10 main WM_CHAR 0x21 0x20001"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    ProbeRun run = runProbe(dir, std::string(c.line) + "\nat 100 quit\n");
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    bool typing = std::string(c.line).find("type") != std::string::npos;
    Lines keyboard;
    for (const std::string& line : run.output)
      if (line.find("CHAR") != std::string::npos || (!typing && line.find("KEY") != std::string::npos))
        keyboard.push_back(line);
    EXPECT_EQ(keyboard, c.messages);
  }
}

TEST(HeadlessScript, AltF4ClosesTheWindowThroughDefaultProcessing) {
  TempDir dir;
  ProbeRun run = runProbe(dir, "at 40 key ALT+F4\nat 100 quit\n");
  EXPECT_EQ(run.exitCode, 5);
  EXPECT_EQ(matching(run.output, "WM_SYSCOMMAND"), Lines{"40 main WM_SYSCOMMAND 0xf060 0x0"});
  EXPECT_EQ(matching(run.output, "WM_CLOSE").size(), 1u);
  EXPECT_EQ(matching(run.trace, "destroy w1"), Lines{"40 destroy w1"});
  EXPECT_EQ(run.trace.back(), "40 quit 5");
}

TEST(HeadlessScript, CloseRequestDestroysTheWindowAndEndsTheLoop) {
  TempDir dir;
  ProbeRun run = runProbe(dir, "at 250 close\nat 900 quit\n");
  EXPECT_EQ(run.exitCode, 5);
  Lines closing = {"250 main WM_SYSCOMMAND 0xf060 0x0", "250 main WM_CLOSE 0x0 0x0",
                   "250 main WM_DESTROY 0x0 0x0"};
  EXPECT_EQ(matching(run.output, "250 main"), closing);
  EXPECT_EQ(matching(run.trace, "close"), Lines{"250 close w1"});
  EXPECT_EQ(run.trace.back(), "250 quit 5");
}

TEST(HeadlessScript, MouseEventsArriveInClientCoordinatesOfTheWindowUnderThePointer) {
  TempDir dir;
  std::string script =
      "at 10 mousemove 110 60\n"    // main at (10, 10)
      "at 20 mousemove 260 55\n"    // the child at (10, 5)
      "at 30 mousemove 20 20\n"     // over no window: nothing
      "at 40 click right 120 70\n"  // main at (20, 20)
      "at 50 press left 105 55\n"   // main captures the mouse
      "at 60 mousemove 50 20\n"     // outside, still to main: (-50, -30)
      "at 70 release left 60 20\n"
      "at 80 mousemove 30 30\n"     // capture released: nothing
      "at 90 quit\n";
  ProbeRun run = runProbe(dir, script);
  Lines expected = {
      "10 main WM_MOUSEMOVE 10,10 0x0",       "20 child WM_MOUSEMOVE 10,5 0x0",
      "40 main WM_RBUTTONDOWN 20,20 0x2",     "40 main WM_RBUTTONUP 20,20 0x0",
      "50 main WM_LBUTTONDOWN 5,5 0x1",       "60 main WM_MOUSEMOVE -50,-30 0x1",
      "70 main WM_LBUTTONUP -40,-30 0x0",
  };
  EXPECT_EQ(matching(run.output, "BUTTON").size() + matching(run.output, "MOUSEMOVE").size(),
            expected.size());
  Lines got;
  for (const std::string& line : run.output)
    if (line.find("MOUSE") != std::string::npos || line.find("BUTTON") != std::string::npos)
      got.push_back(line);
  EXPECT_EQ(got, expected);
  EXPECT_EQ(matching(run.trace, "mousemove"),
            (Lines{"10 mousemove 10,10 w1", "20 mousemove 10,5 w2", "60 mousemove -50,-30 w1"}));
  EXPECT_EQ(matching(run.trace, "buttondown"),
            (Lines{"40 buttondown right 20,20 w1", "50 buttondown left 5,5 w1"}));
}

TEST(HeadlessScript, MouseMovesAtTheSameMomentAreMergedAsInWin32) {
  TempDir dir;
  ProbeRun run = runProbe(dir, "at 10 mousemove 110 60\nat 10 mousemove 120 70\nat 30 quit\n");
  EXPECT_EQ(matching(run.output, "WM_MOUSEMOVE"), Lines{"10 main WM_MOUSEMOVE 20,20 0x0"});
}

TEST(HeadlessScript, ResizeByTheUserEndsWithExitSizeMove) {
  TempDir dir;
  ProbeRun run = runProbe(dir, "at 30 resize 300 150\nat 60 quit\n");
  EXPECT_EQ(matching(run.output, "30 main"),
            (Lines{"30 main WM_ENTERSIZEMOVE 0x0 0x0", "30 main WM_SIZE 0x0 0x96012c",
                   "30 main WM_EXITSIZEMOVE 0x0 0x0"}));
  EXPECT_EQ(matching(run.trace, "resize"), Lines{"30 resize w1 300x150"});
  EXPECT_EQ(matching(run.trace, "move w1"), Lines{"30 move w1 100,50 300x150"});
}

TEST(HeadlessScript, SnapshotsShowTheScreenAndTheTopWindow) {
  TempDir dir;
  std::string screen = dir.file("screen.png"), window = dir.file("window.png");
  ProbeRun run = runProbe(dir, "at 5 snapshot " + screen + "\nat 6 windowsnapshot " + window +
                              "\nat 10 quit\n");
  int width = 0, height = 0;
  std::vector<uint32_t> pixels = readPng(screen, &width, &height);
  ASSERT_EQ(width, 400);
  ASSERT_EQ(height, 300);
  auto at = [&](int x, int y) { return pixels[size_t(y) * width + x]; };
  EXPECT_EQ(at(99, 50), 0x000000u) << "left of the window";
  EXPECT_EQ(at(100, 50), 0xFF0000u) << "the main window's class brush";
  EXPECT_EQ(at(249, 149), 0xFF0000u);
  EXPECT_EQ(at(250, 50), 0x00FF00u) << "its child";
  EXPECT_EQ(at(299, 99), 0x00FF00u);
  EXPECT_EQ(at(250, 100), 0xFF0000u) << "below the child";
  EXPECT_EQ(at(300, 50), 0x000000u) << "right of the window";
  EXPECT_EQ(at(100, 150), 0x000000u) << "below the window";

  pixels = readPng(window, &width, &height);
  EXPECT_EQ(width, 200);
  EXPECT_EQ(height, 100);
  EXPECT_EQ(matching(run.trace, "snapshot"),
            (Lines{"5 snapshot " + screen, "6 windowsnapshot " + window}));
}

TEST(HeadlessClock, TimersFireAtExactVirtualTimes) {
  TempDir dir;
  ProbeRun run = runProbe(dir, "at 350 quit\n", {"timer", "100"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(matching(run.output, "WM_TIMER"),
            (Lines{"100 main WM_TIMER 0x1 0x0", "200 main WM_TIMER 0x1 0x0", "300 main WM_TIMER 0x1 0x0"}));
  EXPECT_EQ(matching(run.trace, "timer w1"),
            (Lines{"0 settimer w1 1 100", "100 timer w1 1", "200 timer w1 1", "300 timer w1 1"}));
  EXPECT_EQ(run.trace.back(), "350 scriptquit");
}

TEST(HeadlessTrace, WindowsInvalidationsAndTheCursorAreTraced) {
  TempDir dir;
  ProbeRun run = runProbe(dir, "at 10 quit\n", {"hidecursor"});
  Lines expected = {"0 create w1 parent=none 100,50 200x100", "0 show w1",
                    "0 invalidate w1 0,0 200x100 erase", "0 create w2 parent=w1 150,0 50x50",
                    "0 show w2", "0 invalidate w2 0,0 50x50 erase", "0 cursor hide"};
  Lines got(run.trace.begin(), run.trace.begin() + std::min(run.trace.size(), expected.size()));
  EXPECT_EQ(got, expected);
}

TEST(HeadlessRun, EndsWhenNothingCanHappenAnyMore) {
  TempDir dir;
  ProbeRun run = runProbe(dir, "at 20 key Q\n");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.trace.back(), "20 stall");
  EXPECT_NE(run.errors.find("no timer or script event is left"), std::string::npos);
}

TEST(HeadlessRun, ABadScriptStopsTheProgramBeforeItStarts) {
  TempDir dir;
  const char* bad[] = {"at 10 key NOSUCHKEY", "at ten key Q", "at 10 fly away",
                       "after 10 quit", "at 10 click left 5", "at 10 resize 10"};
  for (const char* line : bad) {
    SCOPED_TRACE(line);
    ProbeRun run = runProbe(dir, std::string("# a comment\n\n") + line + "\nat 20 quit\n");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.errors.find("line 3"), std::string::npos) << run.errors;
    EXPECT_TRUE(run.output.empty());
  }
}

TEST(HeadlessRun, AForeignWindowIsThePreviewParent) {
  TempDir dir;
  ProbeRun run = runProbe(dir, "at 10 snapshot " + dir.file("s.png") + "\nat 20 quit\n",
                     {"foreign", "4242"}, {"QUILLON_FOREIGN_SIZE=160x120"});
  ASSERT_FALSE(run.output.empty());
  EXPECT_EQ(run.output[0], "foreign 1 0,0,160,120");
  EXPECT_EQ(matching(run.trace, "create"), Lines{"0 create w1 parent=x4242 0,0 160x120"});
  int width = 0, height = 0;
  std::vector<uint32_t> pixels = readPng(dir.file("s.png"), &width, &height);
  ASSERT_EQ(width, 400);
  EXPECT_EQ(pixels[size_t(119) * width + 159], 0xFF0000u);
  EXPECT_EQ(pixels[size_t(120) * width + 160], 0x000000u);
}

}  // namespace
