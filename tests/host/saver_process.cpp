// Running the real quillon program in a sandbox (saver_process.h).
#include "tests/host/saver_process.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <sstream>

#include "settings/settings.h"

extern char** environ;

namespace {

const int kWatchdogMs = 60000;

std::vector<TraceLine> parseTrace(const std::string& text) {
  std::vector<TraceLine> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    size_t blank = line.find(' ');
    if (blank == std::string::npos) continue;
    lines.push_back(TraceLine{strtoull(line.c_str(), nullptr, 10), line.substr(blank + 1)});
  }
  return lines;
}

void sleepMs(int ms) {
  timespec pause = {ms / 1000, (ms % 1000) * 1000000L};
  nanosleep(&pause, nullptr);
}

}  // namespace

std::vector<TraceLine> Trace::starting(const std::string& prefix) const {
  std::vector<TraceLine> out;
  for (const TraceLine& line : lines_)
    if (line.event.compare(0, prefix.size(), prefix) == 0) out.push_back(line);
  return out;
}

long long Trace::firstTime(const std::string& prefix) const {
  std::vector<TraceLine> found = starting(prefix);
  return found.empty() ? -1 : static_cast<long long>(found.front().ms);
}

std::string Trace::text() const {
  std::string out;
  for (const TraceLine& line : lines_) out += std::to_string(line.ms) + " " + line.event + "\n";
  return out;
}

SaverSandbox::SaverSandbox() {
  mkdir(windowsDir().c_str(), 0700);
  mkdir(runtimeDir().c_str(), 0700);
  mkdir(tempDir().c_str(), 0700);
}

void SaverSandbox::writeSettings(const std::string& lines) const {
  dir_.write("windows/quillonscr.ini", "[settings]\n" + lines + "\n");
}

void SaverSandbox::useDocument(const std::string& text, const std::string& extraLines) const {
  std::string path = dir_.write("document.txt", text);
  writeSettings("url count=1\nurl0=file://" + path + "\nfetch timeout=5\n" + extraLines);
}

void SaverSandbox::writeRegistry(const std::string& text) const {
  dir_.write("windows/registry.reg", text);
}

pid_t SaverSandbox::start(const std::vector<std::string>& args, const std::string& script) {
  int number = ++runs_;
  std::string prefix = "run" + std::to_string(number);
  std::string scriptPath = dir_.write(prefix + ".script", script);

  std::map<std::string, std::string> env;
  for (char** e = environ; *e; e++) {
    const char* equals = strchr(*e, '=');
    if (equals) env[std::string(*e, size_t(equals - *e))] = equals + 1;
  }
  env.erase("QUILLON_CLOCK");
  env.erase("QUILLON_SCREEN");
  env.erase("QUILLON_FOREIGN_SIZE");
  env["QUILLON_DRIVER"] = "headless";
  env["QUILLON_WINDOWS_DIR"] = windowsDir();
  env["XDG_RUNTIME_DIR"] = runtimeDir();
  env["TMP"] = tempDir();
  env["TMPDIR"] = tempDir();
  env["QUILLON_SCRIPT"] = scriptPath;
  env["QUILLON_TRACE"] = dir_.file(prefix + ".trace");
  for (const auto& entry : env_) env[entry.first] = entry.second;

  std::vector<std::string> envText;
  for (const auto& entry : env) envText.push_back(entry.first + "=" + entry.second);
  std::vector<char*> envp;
  for (std::string& text : envText) envp.push_back(&text[0]);
  envp.push_back(nullptr);

  std::vector<std::string> argText = {QUILLON_BINARY};
  argText.insert(argText.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& text : argText) argv.push_back(&text[0]);
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  std::string errorsPath = dir_.file(prefix + ".stderr");
  posix_spawn_file_actions_addopen(&actions, 2, errorsPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  std::string outputPath = dir_.file(prefix + ".stdout");
  posix_spawn_file_actions_addopen(&actions, 1, outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  pid_t pid = -1;
  if (posix_spawn(&pid, QUILLON_BINARY, &actions, nullptr, argv.data(), envp.data()) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  if (pid > 0) runNumbers_[pid] = number;
  return pid;
}

SaverRun SaverSandbox::finish(pid_t pid) {
  SaverRun run;
  if (pid <= 0) return run;
  int status = 0;
  int waited = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (waited >= kWatchdogMs) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      break;
    }
    sleepMs(5);
    waited += 5;
  }
  if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
  else if (WIFSIGNALED(status)) run.exitCode = 128 + WTERMSIG(status);
  std::string prefix = "run" + std::to_string(runNumbers_[pid]);
  run.trace = Trace(parseTrace(readFile(dir_.file(prefix + ".trace"))));
  run.errors = readFile(dir_.file(prefix + ".stderr"));
  run.output = readFile(dir_.file(prefix + ".stdout"));
  return run;
}

std::string typedText(const Trace& trace) {
  std::string text;
  bool nextIsCharacter = true;
  for (const TraceLine& line : trace.lines()) {
    if (line.event.compare(0, 8, "textout ") != 0) continue;
    if (nextIsCharacter) {
      int x, y, byte;
      if (sscanf(line.event.c_str(), "textout %d %d %d", &x, &y, &byte) == 3) text += char(byte);
    }
    nextIsCharacter = !nextIsCharacter;
  }
  return text;
}

std::vector<std::string> filesIn(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return names;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(dir);
  return names;
}

std::string storedPassword(const char* plain) {
  memset(settings.password, 0, sizeof settings.password);
  strncpy(settings.password, plain, 48);
  scramblePassword();
  std::string stored = settings.password;
  memset(settings.password, 0, sizeof settings.password);
  return stored;
}
