// An X server of a test's own, and the child processes a test starts against
// it (xdotool, the real program). Xvfb picks a free display number itself
// (-displayfd), so tests running at the same time never share a server.
#ifndef QUILLON_TESTS_SUPPORT_XVFB_SERVER_H
#define QUILLON_TESTS_SUPPORT_XVFB_SERVER_H

#include <sys/types.h>

#include <string>
#include <vector>

class XvfbServer {
 public:
  // Starts Xvfb with one screen of width x height at 24 bits (and the extra
  // arguments, such as "-extension", "MIT-SHM" to leave one out) and waits
  // until it accepts connections.
  XvfbServer(int width, int height, const std::vector<std::string>& extra = {});
  // Stops the server.
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  bool running() const { return pid_ > 0; }
  // Why the server is not running ("Xvfb is not installed", ...).
  const std::string& failure() const { return failure_; }
  // ":N", for $DISPLAY.
  const std::string& display() const { return display_; }
  // The server's process (for benchmarks that count its CPU time).
  pid_t pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
  std::string failure_;
};

// Whether a program of that name is on $PATH.
bool programOnPath(const char* name);

// A started program; killed (if still running) when the object goes.
class ChildProcess {
 public:
  // Starts argv[0] (searched on $PATH) with the environment of this process
  // plus `environment` ("NAME=value" each, overriding); its stderr goes to
  // the file `errorsPath` when one is given.
  explicit ChildProcess(const std::vector<std::string>& argv,
                        const std::vector<std::string>& environment = {},
                        const std::string& errorsPath = "");
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return pid_ > 0; }
  // Sends the program a signal; false when it is not running.
  bool signal(int signalNumber);
  // Waits up to `limitMs` for the program to end; its exit code, or -1 when
  // it did not end in time or was killed by a signal.
  int waitForExit(int limitMs);

 private:
  pid_t pid_ = -1;
  bool ended_ = false;
  int status_ = 0;
};

// Runs a program to its end (at most 10 s); its exit code, or -1.
int runProgram(const std::vector<std::string>& argv);

#endif
