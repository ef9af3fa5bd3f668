// The wake check of the running saver, end to end, against the registry
// file of the layer: activity closes the saver at once unless the saver has
// a password and "ScreenSaveUsePassword" under HKEY_CURRENT_USER\Control
// Panel\Desktop is present and not all zero bytes. Then the typing freezes
// and the cursor shows while the password dialog asks for it; Escape cancels
// the dialog and the saver runs on.
#include <gtest/gtest.h>
#include <string.h>

#include "tests/host/saver_process.h"

namespace {

const char* const kKeyHeader = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n";

struct WakeCase {
  const char* name;
  bool password;
  const char* registry;  // null: no registry file at all
  bool asks;             // the dialog comes (and, cancelled, the saver runs on)
  bool closes;
};

const WakeCase kCases[] = {
    {"no password, flag on", false, "\"ScreenSaveUsePassword\"=\"1\"\n", false, true},
    {"password, no registry file", true, nullptr, false, true},
    {"password, value missing", true, "\"Other\"=\"1\"\n", false, true},
    {"password, dword 0", true, "\"ScreenSaveUsePassword\"=dword:00000000\n", false, true},
    {"password, text 1", true, "\"ScreenSaveUsePassword\"=\"1\"\n", true, false},
    {"password, dword 1", true, "\"ScreenSaveUsePassword\"=dword:00000001\n", true, false},
    // The bytes of the text "0" are not all zero.
    {"password, text 0", true, "\"ScreenSaveUsePassword\"=\"0\"\n", true, false},
    // Five bytes do not fit the 4-byte number: the read fails.
    {"password, too long", true, "\"ScreenSaveUsePassword\"=\"1234\"\n", false, true},
};

TEST(WakeCheckRun, PasswordAndSystemFlagDecide) {
  for (const WakeCase& c : kCases) {
    SaverSandbox sandbox;
    sandbox.useDocument("wake me\n", c.password ? "password=" + storedPassword("pw") : "");
    if (c.registry) sandbox.writeRegistry(std::string(kKeyHeader) + c.registry);
    SaverRun run = sandbox.run({"/s"}, "at 1000 key A\nat 1500 key ESCAPE\nat 3000 quit\n");
    SCOPED_TRACE(std::string(c.name) + "\n" + run.trace.text() + run.errors);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.trace.firstTime("destroy w1"), c.closes ? 1000 : -1);
    // Asking shows the cursor, hidden in Saver mode, and hides it again.
    EXPECT_EQ(run.trace.starting("cursor show").size(), (c.asks || c.closes) ? 1u : 0u);
    EXPECT_EQ(run.trace.firstTime("dialog w2 begin 130"), c.asks ? 1000 : -1);
    if (c.asks) {
      EXPECT_EQ(run.trace.firstTime("cursor show"), 1000);
      EXPECT_EQ(run.trace.firstTime("dialog w2 end 2"), 1500);
      EXPECT_EQ(run.trace.starting("cursor hide").size(), 2u);
      EXPECT_EQ(run.trace.firstTime("settimer w1 43"), 0);
      EXPECT_GT(run.trace.starting("textout").size(), 10u);  // typing resumed
    }
  }
}

// A registry without the key: the check cannot read the flag and drops the
// activity; the saver neither closes nor asks.
TEST(WakeCheckRun, MissingKeyLeavesTheSaverRunning) {
  SaverSandbox sandbox;
  sandbox.useDocument("still here\n", "password=" + storedPassword("pw"));
  sandbox.writeRegistry("REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Colors]\n");
  SaverRun run = sandbox.run({"/s"}, "at 1000 key A\nat 1100 click left 9 9\nat 3000 quit\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_FALSE(run.trace.has("destroy w1")) << run.trace.text();
  EXPECT_FALSE(run.trace.has("cursor show"));
  EXPECT_FALSE(run.trace.has("regqueryvalue"));
}

// After a cancelled dialog the count of mouse moves starts again: four more
// moves are ignored, the fifth asks again.
TEST(WakeCheckRun, CancelledPromptRestartsTheMouseCount) {
  SaverSandbox sandbox;
  sandbox.useDocument("count again\n", "password=" + storedPassword("pw"));
  sandbox.writeRegistry(std::string(kKeyHeader) + "\"ScreenSaveUsePassword\"=\"1\"\n");
  std::string script;
  for (int i = 0; i < 10; i++)
    script += "at " + std::to_string(1000 + 100 * i) + " mousemove " + std::to_string(100 + 10 * i) +
              " 100\n";
  // The saver window gets no mouse input while the dialog is up.
  script += "at 1450 key ESCAPE\nat 1950 key ESCAPE\n";
  SaverRun run = sandbox.run({"/s"}, script + "at 3000 quit\n");
  std::vector<TraceLine> asked = run.trace.starting("cursor show");
  ASSERT_EQ(asked.size(), 2u) << run.trace.text();
  EXPECT_EQ(asked[0].ms, 1400u);  // the fifth move
  EXPECT_EQ(asked[1].ms, 1900u);  // the fifth after the prompt
}

}  // namespace
