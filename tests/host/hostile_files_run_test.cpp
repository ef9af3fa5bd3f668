// The real program given settings, registry and script files that are not
// what they should be: each is refused with one line on stderr naming it,
// the program goes on as if the file were missing (defaults, passwords off)
// and never blocks on a FIFO or reads a device without end; a script that
// cannot be read stops the run like a malformed one. A settings file that
// starts with a UTF-8 byte-order mark is read like any other.
#include <gtest/gtest.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "tests/host/saver_process.h"

namespace {

enum class Make { Directory, Fifo, LinkToZero };

void make(Make kind, const std::string& path) {
  unlink(path.c_str());
  switch (kind) {
    case Make::Directory: ASSERT_EQ(mkdir(path.c_str(), 0700), 0); break;
    case Make::Fifo: ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); break;
    case Make::LinkToZero: ASSERT_EQ(symlink("/dev/zero", path.c_str()), 0); break;
  }
}

const Make kKinds[] = {Make::Directory, Make::Fifo, Make::LinkToZero};

// The lines of stderr that name `name`.
int linesNaming(const std::string& errors, const std::string& name) {
  int count = 0;
  size_t start = 0;
  while (start < errors.size()) {
    size_t end = errors.find('\n', start);
    if (end == std::string::npos) end = errors.size();
    if (errors.substr(start, end - start).find(name) != std::string::npos) count++;
    start = end + 1;
  }
  return count;
}

}  // namespace

TEST(HostileFilesRun, RefusedSettingsFileGivesDefaultsAndOneLine) {
  for (Make kind : kKinds) {
    SaverSandbox sandbox;
    sandbox.writeSettings("");
    make(kind, sandbox.windowsDir() + "/quillonscr.ini");
    SaverRun run = sandbox.run({"-w"}, "at 500 key Q\n");
    SCOPED_TRACE(static_cast<int>(kind));
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(linesNaming(run.errors, "quillonscr.ini"), 1) << run.errors;
    EXPECT_EQ(run.trace.firstTime("settimer w1 43 50"), 0) << run.trace.text();  // the default
  }
}

// The wake check reads the registry at the key press: a refused file reads
// as Windows' default (passwords off), so the saver closes at once.
TEST(HostileFilesRun, RefusedRegistryFileReadsAsPasswordsOff) {
  for (Make kind : kKinds) {
    SaverSandbox sandbox;
    sandbox.useDocument("wake me\n", "password=" + storedPassword("pw"));
    make(kind, sandbox.windowsDir() + "/registry.reg");
    SaverRun run = sandbox.run({"/s"}, "at 1000 key A\nat 3000 quit\n");
    SCOPED_TRACE(static_cast<int>(kind));
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.trace.firstTime("destroy w1"), 1000) << run.trace.text();
    EXPECT_EQ(linesNaming(run.errors, "registry.reg"), 1) << run.errors;
  }
}

TEST(HostileFilesRun, UnreadableScriptStopsTheRun) {
  SaverSandbox sandbox;
  sandbox.useDocument("never typed\n");
  for (const char* name : {"script-directory", "missing-script"}) {
    std::string path = sandbox.root() + "/" + name;
    if (std::string(name) == "script-directory") {
      ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    }
    sandbox.setEnv("QUILLON_SCRIPT", path);
    SaverRun run = sandbox.run({"-w"}, "");
    EXPECT_EQ(run.exitCode, 2) << name << run.errors;
    EXPECT_EQ(linesNaming(run.errors, name), 1) << run.errors;
  }
}

// Notepad writes a byte-order mark in front of a UTF-8 file.
TEST(HostileFilesRun, SettingsAfterAByteOrderMarkAreUsed) {
  SaverSandbox sandbox;
  sandbox.useDocument("typed\n", "type delay=70");
  std::string path = sandbox.windowsDir() + "/quillonscr.ini";
  std::string text = readFile(path);
  FILE* file = fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  fputs(("\xEF\xBB\xBF" + text).c_str(), file);
  fclose(file);
  SaverRun run = sandbox.run({"-w"}, "at 2000 key Q\n");
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.trace.firstTime("settimer w1 43 70"), 0) << run.trace.text();
  EXPECT_GT(run.trace.starting("textout").size(), 2u);
}
