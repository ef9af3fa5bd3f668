// The layer's diagnostics channel through the real program: what the layer
// cannot do as Win32 does (here a font far beyond the largest em it draws)
// is said on stderr only when QUILLON_DEBUG names its channel or "all", and
// then once, however often it happens; and the trace file is kept private.
#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <set>
#include <sstream>

#include "tests/host/saver_process.h"

namespace {

void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

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

// The trace file is the user's alone: a new one is created 0600 whatever the
// umask; a symbolic link or another user's file is never written, and the
// trace is off with one line on stderr.
TEST(DiagnosticsRun, TraceFileIsPrivateAndNeverFollowed) {
  struct Case {
    const char* name;
    int setUp;  // 0: no file; 1: a symlink to a file of ours; 2: a file owned by nobody
    bool traced;
  } cases[] = {
      {"new file", 0, true},
      {"symbolic link", 1, false},
      {"another user's file", 2, false},
  };
  mode_t oldMask = umask(022);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SaverSandbox sandbox;
    std::string trace = sandbox.root() + "/own.trace";
    std::string target = sandbox.root() + "/target.txt";
    if (c.setUp == 1) {
      ASSERT_EQ(symlink(target.c_str(), trace.c_str()), 0);
      writeBytes(target, "old\n");
    }
    if (c.setUp == 2) {
      if (geteuid() != 0) continue;  // only root can give a file away
      writeBytes(trace, "old\n");
      struct passwd* nobody = getpwnam("nobody");
      ASSERT_NE(nobody, nullptr);
      ASSERT_EQ(chown(trace.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    }
    sandbox.setEnv("QUILLON_TRACE", trace);
    sandbox.useDocument("x\n");
    SaverRun run = sandbox.run({"-w"}, "at 200 quit\n");
    EXPECT_EQ(run.exitCode, 0);
    struct stat info;
    ASSERT_EQ(lstat(trace.c_str(), &info), 0);
    if (c.traced) {
      EXPECT_EQ(info.st_mode & 07777, 0600u);
      EXPECT_NE(readFile(trace).find("create w1"), std::string::npos);
      EXPECT_EQ(run.errors, "");
    } else {
      EXPECT_EQ(readFile(c.setUp == 1 ? target : trace), "old\n");
      EXPECT_EQ(run.errors, "quillon: cannot open the trace file " + trace + "\n");
    }
  }
  umask(oldMask);
}

}  // namespace
