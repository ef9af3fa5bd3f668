// The layer's diagnostics channel through the real program: what the layer
// cannot do as Win32 does (here a font far beyond the largest em it draws)
// is said on stderr only when QUILLON_DEBUG names its channel or "all", and
// then once, however often it happens.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "tests/host/saver_process.h"

namespace {

const char* const kFontLine =
    "quillon gdi: a font height beyond an em of 1024 pixels is drawn at an em of 1024 pixels";

TEST(DiagnosticsRun, QuietUnlessQuillonDebugNamesTheChannel) {
  struct Case {
    const char* debug;  // QUILLON_DEBUG, or null
    bool said;          // the channel "gdi" speaks
  };
  const Case cases[] = {
      {nullptr, false}, {"", false},      {"user", false},     {"x11,user", false},
      {"gdi", true},    {"user,gdi", true}, {"all", true},
  };
  for (const Case& c : cases) {
    SaverSandbox sandbox;
    sandbox.useDocument("x\n", "font size=5000\ntype delay=10\n");
    if (c.debug) sandbox.setEnv("QUILLON_DEBUG", c.debug);
    // Each new size makes the font again.
    SaverRun run = sandbox.run({"--window-id", "4242"}, "at 300 parentresize 4242 300 200\n"
                                               "at 600 parentresize 4242 400 300\nat 900 quit\n");
    SCOPED_TRACE(c.debug ? c.debug : "(unset)");
    EXPECT_EQ(run.exitCode, 0);
    if (!c.said) {
      EXPECT_EQ(run.errors, "");
      continue;
    }
    // The font's line and the other limits met on the way, each once.
    std::istringstream lines(run.errors);
    std::set<std::string> seen;
    for (std::string line; std::getline(lines, line);) {
      EXPECT_EQ(line.compare(0, 13, "quillon gdi: "), 0) << line;
      EXPECT_TRUE(seen.insert(line).second) << "said twice: " << line;
    }
    EXPECT_EQ(seen.count(kFontLine), 1u) << run.errors;
  }
}

}  // namespace
