// The real program started with each kind of command line, through the
// headless driver: which window it makes (if any), whether it takes the
// single-instance mutex, and its exit code.
#include <gtest/gtest.h>

#include "tests/host/saver_process.h"

namespace {

struct ModeCase {
  std::vector<std::string> args;
  const char* window;  // the trace's "create" line; null when no window is made
  bool takesMutex;
  bool closedByQ;      // Windowed and Saver close on the Q key; Preview ignores it
  int dialog = 0;      // Configure, SetPassword: the window is this dialog
};

// The default virtual screen is 1024x768: Windowed is a third of it in the
// middle; Saver covers it; Preview fills its foreign parent (152x112).
const ModeCase kModes[] = {
    {{}, "create w1 parent=none 342,256 341x256", false, true},
    {{"-W"}, "create w1 parent=none 342,256 341x256", false, true},
    {{"/s", "-w"}, "create w1 parent=none 342,256 341x256", false, true},
    {{"/S"}, "create w1 parent=none 0,0 1024x768", true, true},
    {{"/p", "4242"}, "create w1 parent=x4242 0,0 152x112", true, false},
    {{"/c:4242"}, "create w1 parent=none 0,0 293x290", true, false, 129},
    // SetPassword: the password dialog, owned by window 77 of another program.
    {{"-a", "77"}, "create w1 parent=none 0,0 236x131", true, false, 130},
    {{"/x"}, nullptr, true, false},        // None
};

std::string joined(const std::vector<std::string>& args) {
  std::string out;
  for (const std::string& a : args) out += (out.empty() ? "" : " ") + a;
  return "\"" + out + "\"";
}

TEST(RunModes, EachCommandLineStartsItsMode) {
  for (const ModeCase& c : kModes) {
    SaverSandbox sandbox;
    sandbox.useDocument("line\n");
    SaverRun run = sandbox.run(c.args, "at 1000 key Q\nat 2000 quit\n");
    SCOPED_TRACE("command line " + joined(c.args) + "\n" + run.trace.text() + run.errors);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.trace.has("createmutex QuillonNoOtherInstance new"), c.takesMutex);
    if (c.window == nullptr) {
      EXPECT_FALSE(run.trace.has("create "));
      EXPECT_FALSE(run.trace.has("wsastartup"));
      continue;
    }
    EXPECT_EQ(run.trace.firstTime(c.window), 0);
    if (c.dialog) {
      // The dialog has its controls; no saver runs, so no socket layer.
      EXPECT_EQ(run.trace.firstTime("dialog w1 begin " + std::to_string(c.dialog)), 0);
      EXPECT_FALSE(run.trace.has("wsastartup"));
      continue;
    }
    EXPECT_EQ(run.trace.starting("create ").size(), 1u);
    EXPECT_EQ(run.trace.firstTime("wsastartup 1.1"), 0);
    EXPECT_EQ(run.trace.firstTime("destroy w1"), c.closedByQ ? 1000 : -1);
  }
}

// Two blanks before "/p 12": the window number is read from the third
// character, the slash, so the parent is 0 and no child window can be made.
// The banner file written by then is removed before the program ends, as
// it is for every window number that gives no window.
TEST(RunModes, PreviewWithoutParentEndsAndLeavesNoBanner) {
  SaverSandbox sandbox;
  for (const char* args : {"  /p 12", "/p 0", "/p -5", "/p 99999999999999999999"}) {
    SaverRun run = sandbox.run({args}, "at 1000 quit\n");
    EXPECT_EQ(run.exitCode, 0) << args;
    EXPECT_FALSE(run.trace.has("create ")) << args << run.trace.text();
    EXPECT_TRUE(filesIn(sandbox.tempDir()).empty()) << args;
  }
}

}  // namespace

namespace {

// Closing the saver releases what the run holds, in the order of the
// clean-up, before the message loop ends: the cursor shown again, the typing
// timer stopped, the mutex closed, the socket layer stopped.
TEST(RunModes, ClosingReleasesEverythingBeforeTheLoopEnds) {
  SaverSandbox sandbox;
  sandbox.useDocument("a line long enough to be typing when the key comes\n");
  SaverRun run = sandbox.run({"/s"}, "at 1000 key A\n");
  EXPECT_EQ(run.exitCode, 0);
  std::vector<std::string> expected = {"cursor show", "killtimer w1 43",
                                       "closemutex QuillonNoOtherInstance", "wsacleanup count=0",
                                       "destroy w1", "quit 0"};
  std::vector<std::string> seen;
  for (const TraceLine& line : run.trace.lines()) {
    if (line.ms < 1000) continue;
    for (const std::string& event : expected)
      if (line.event == event) seen.push_back(event);
  }
  EXPECT_EQ(seen, expected) << run.trace.text();
  EXPECT_EQ(run.trace.lines().back().event, "quit 0");
}

}  // namespace
