// Every way out of the full-screen saver goes through the wake check: Alt+F4
// and F10 (system keys), the window manager's close and minimize (system
// commands) and a close request the saver did not make end it at once
// without a password and ask for the password with one; the end of the
// session (a termination signal) ends it through its clean-up either way.
// The windowed saver keeps its ways out.
#include <gtest/gtest.h>

#include <string>

#include "tests/host/saver_process.h"

namespace {

const char* const kPasswordsOn =
    "REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n\"ScreenSaveUsePassword\"=\"1\"\n";

struct ExitCase {
  const char* name;
  const char* action;  // a script action at 1000 ms
};

const ExitCase kWaysOut[] = {
    {"Alt+F4", "key ALT+F4"},
    {"F10", "key F10"},
    {"Alt+Tab", "key ALT+TAB"},
    {"window manager's close", "close"},
    {"window manager's minimize", "minimize"},
};

SaverRun runSaver(bool password, const std::string& action) {
  SaverSandbox sandbox;
  sandbox.useDocument("a line long enough to be typing when the key comes\n",
                      password ? "password=" + storedPassword("pw") : "");
  sandbox.writeRegistry(kPasswordsOn);
  return sandbox.run({"/s"}, "at 1000 " + action + "\nat 3000 quit\n");
}

}  // namespace

TEST(SaverExitsRun, WithoutAPasswordEveryWayOutEndsTheSaver) {
  for (const ExitCase& c : kWaysOut) {
    SaverRun run = runSaver(false, c.action);
    EXPECT_EQ(run.exitCode, 0) << c.name;
    EXPECT_EQ(run.trace.firstTime("quit 0"), 1000) << c.name << run.trace.text();
    EXPECT_FALSE(run.trace.has("dialog")) << c.name;
  }
}

TEST(SaverExitsRun, WithAPasswordEveryWayOutAsksForIt) {
  for (const ExitCase& c : kWaysOut) {
    SaverRun run = runSaver(true, c.action);
    EXPECT_EQ(run.trace.firstTime("dialog"), 1000) << c.name << run.trace.text();
    // The prompt stays up: the rest of a key combination does not close it.
    EXPECT_EQ(run.trace.starting("dialog").size(), 1u) << c.name << run.trace.text();
    EXPECT_FALSE(run.trace.has("destroy w1")) << c.name << run.trace.text();
    EXPECT_TRUE(run.trace.has("scriptquit")) << c.name;  // still running at 3000
  }
}

// Alt+F4 on the prompt is its close box: Cancel. The saver runs on and asks
// again at the next key.
TEST(SaverExitsRun, AltF4OnThePromptCancelsItAndTheSaverRunsOn) {
  SaverSandbox sandbox;
  sandbox.useDocument("typing\n", "password=" + storedPassword("pw"));
  sandbox.writeRegistry(kPasswordsOn);
  SaverRun run =
      sandbox.run({"/s"}, "at 1000 key A\nat 1500 key ALT+F4\nat 2000 key B\nat 3000 quit\n");
  std::vector<TraceLine> begun = run.trace.starting("dialog w");
  ASSERT_EQ(begun.size(), 3u) << run.trace.text();
  EXPECT_EQ(begun[0].ms, 1000u);
  EXPECT_EQ(begun[1].event, "dialog w2 end 2");
  EXPECT_EQ(begun[2].ms, 2000u);
  EXPECT_FALSE(run.trace.has("destroy w1")) << run.trace.text();
}

TEST(SaverExitsRun, TheEndOfTheSessionEndsItThroughItsCleanUp) {
  for (bool password : {false, true}) {
    SaverRun run = runSaver(password, "signal TERM");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_FALSE(run.trace.has("dialog")) << run.trace.text();
    EXPECT_TRUE(run.trace.has("closemutex QuillonNoOtherInstance")) << run.trace.text();
    EXPECT_EQ(run.trace.firstTime("quit 0"), 1000) << run.trace.text();
  }
}

TEST(SaverExitsRun, TheWindowedSaverKeepsItsWaysOut) {
  for (const char* action : {"key ALT+F4", "close"}) {
    SaverSandbox sandbox;
    sandbox.useDocument("typing\n", "password=" + storedPassword("pw"));
    sandbox.writeRegistry(kPasswordsOn);
    SaverRun run = sandbox.run({"-w"}, std::string("at 1000 ") + action + "\nat 3000 quit\n");
    EXPECT_EQ(run.trace.firstTime("quit 0"), 1000) << action << run.trace.text();
  }
}
