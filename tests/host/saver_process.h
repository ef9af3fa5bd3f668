// Runs the real quillon program through the headless driver for end-to-end
// tests: a sandbox with its own Windows directory (settings), run-time
// folder (single-instance mutex), temporary folder (preview banner), input
// script and trace, so that runs never touch the user's files and tests
// running side by side never meet each other's saver.
#ifndef QUILLON_TESTS_HOST_SAVER_PROCESS_H
#define QUILLON_TESTS_HOST_SAVER_PROCESS_H

#include <stdint.h>
#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

struct TraceLine {
  uint64_t ms;
  std::string event;
};

// The trace of one run (see platform/drivers/headless/README.md).
class Trace {
 public:
  Trace() {}
  explicit Trace(std::vector<TraceLine> lines) : lines_(std::move(lines)) {}

  const std::vector<TraceLine>& lines() const { return lines_; }
  // The lines whose event starts with `prefix`, in order.
  std::vector<TraceLine> starting(const std::string& prefix) const;
  bool has(const std::string& prefix) const { return !starting(prefix).empty(); }
  // The time of the first line starting with `prefix`; -1 when none.
  long long firstTime(const std::string& prefix) const;
  // The whole trace as text, for failure messages.
  std::string text() const;

 private:
  std::vector<TraceLine> lines_;
};

struct SaverRun {
  int exitCode = -1;  // 128 + signal number when killed
  Trace trace;
  std::string errors;  // what the program wrote on stderr
  std::string output;  // and on stdout
};

class SaverSandbox {
 public:
  SaverSandbox();

  const std::string& root() const { return dir_.path(); }
  std::string windowsDir() const { return dir_.file("windows"); }
  std::string runtimeDir() const { return dir_.file("run"); }
  std::string tempDir() const { return dir_.file("tmp"); }

  // Writes quillonscr.ini with a [settings] section of these lines
  // ("key=value" each, separated by newlines).
  void writeSettings(const std::string& lines) const;
  // Settings that type `text` from a file:// document, with a fetch timeout.
  void useDocument(const std::string& text, const std::string& extraLines = "") const;
  // Writes the registry file of the Windows directory.
  void writeRegistry(const std::string& text) const;

  // Environment for the following runs: a value replaces what the sandbox
  // or the test's own environment would give.
  void setEnv(const std::string& name, const std::string& value) { env_[name] = value; }

  // Starts quillon with these arguments and input script; does not wait.
  pid_t start(const std::vector<std::string>& args, const std::string& script);
  // Waits for a started run (killing it after a minute of real time, which
  // only a hung program takes) and collects its results.
  SaverRun finish(pid_t pid);
  SaverRun run(const std::vector<std::string>& args, const std::string& script) {
    return finish(start(args, script));
  }

 private:
  TempDir dir_;
  std::map<std::string, std::string> env_;
  std::map<pid_t, int> runNumbers_;
  int runs_ = 0;
};

// The characters typed, in order: each typing tick draws the character and
// then the cursor "_" one cell to its right; a line end draws nothing.
std::string typedText(const Trace& trace);

// The INI form of a password (as saveSettings writes it).
std::string storedPassword(const char* plain);

// The names of the files in a folder (without "." and "..").
std::vector<std::string> filesIn(const std::string& folder);

#endif
