// Xvfb and child processes for tests (xvfb_server.h).
#include "tests/support/xvfb_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <string.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int kStartLimitMs = 15000;

// Reads the display number that Xvfb writes when it is ready.
std::string readDisplayNumber(int fd) {
  std::string number;
  for (;;) {
    pollfd p = {fd, POLLIN, 0};
    if (poll(&p, 1, kStartLimitMs) <= 0) return "";
    char c;
    if (read(fd, &c, 1) != 1) return "";
    if (c == '\n') return number;
    number += c;
  }
}

pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
            posix_spawn_file_actions_t* actions) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    std::string entry = *e;
    bool overridden = false;
    for (const std::string& added : environment)
      if (added.substr(0, added.find('=') + 1) == entry.substr(0, entry.find('=') + 1))
        overridden = true;
    if (!overridden) env.push_back(entry);
  }
  env.insert(env.end(), environment.begin(), environment.end());
  std::vector<char*> args, envp;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawnp(&pid, args[0], actions, nullptr, args.data(), envp.data()) != 0) return -1;
  return pid;
}

}  // namespace

bool programOnPath(const char* name) {
  const char* path = getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    std::string candidate = dirs.substr(start, end - start) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

XvfbServer::XvfbServer(int width, int height, const std::vector<std::string>& extra) {
  if (!programOnPath("Xvfb")) {
    failure_ = "Xvfb is not installed (scripts/setup installs it)";
    return;
  }
  int fds[2];
  if (pipe(fds) != 0) {
    failure_ = "no pipe for Xvfb";
    return;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // Xvfb writes the display number to fd 3; its chatter goes nowhere.
  posix_spawn_file_actions_addclose(&actions, fds[0]);  // first: it may be fd 3
  posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  std::vector<std::string> argv = {"Xvfb", "-displayfd", "3", "-screen", "0", screen,
                                   "-nolisten", "tcp"};
  argv.insert(argv.end(), extra.begin(), extra.end());
  pid_ = spawn(argv, {}, &actions);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  std::string number = pid_ > 0 ? readDisplayNumber(fds[0]) : "";
  close(fds[0]);
  if (number.empty()) {
    failure_ = "Xvfb did not start";
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    pid_ = -1;
    return;
  }
  display_ = ":" + number;
}

XvfbServer::~XvfbServer() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const std::vector<std::string>& environment,
                           const std::string& errorsPath) {
  if (errorsPath.empty()) {
    pid_ = spawn(argv, environment, nullptr);
    return;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, errorsPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  pid_ = spawn(argv, environment, &actions);
  posix_spawn_file_actions_destroy(&actions);
}

bool ChildProcess::signal(int signalNumber) {
  return pid_ > 0 && !ended_ && kill(pid_, signalNumber) == 0;
}

ChildProcess::~ChildProcess() {
  if (pid_ <= 0 || ended_) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
}

int ChildProcess::waitForExit(int limitMs) {
  if (pid_ <= 0) return -1;
  if (!ended_) {
    int fd = int(syscall(SYS_pidfd_open, pid_, 0));  // a descriptor that polls readable at exit
    if (fd < 0) return -1;
    pollfd p = {fd, POLLIN, 0};
    bool done = poll(&p, 1, limitMs) == 1;
    close(fd);
    if (!done) return -1;
    waitpid(pid_, &status_, 0);
    ended_ = true;
  }
  return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
}

int runProgram(const std::vector<std::string>& argv) {
  ChildProcess child(argv);
  return child.waitForExit(10000);
}
