// Embedded mode end to end through the headless driver: the real program
// started as screen-saver hosts start it (--root, -root, --window-id ID,
// XSCREENSAVER_WINDOW in hexadecimal or decimal), with the options that
// override the settings file for one run. It draws in a child filling the
// host's window, ignores input, follows the window's size, and ends with 0
// through its clean-up on SIGTERM, SIGINT or SIGHUP and with the host's
// window; bad options end it with 2, or only warn under a host.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdio.h>
#include <time.h>

#include <string>
#include <vector>

#include "tests/host/saver_process.h"
#include "tests/support/http_server.h"
#include "tests/support/png_reader.h"

namespace {

// Input of every kind, then a termination signal from the script.
const char* const kInputThenTerm =
    "at 500 key Q\nat 550 key ESCAPE\nat 600 mousemove 20 20\nat 610 mousemove 30 30\n"
    "at 700 click left 20 20\nat 800 click right 30 30\nat 2000 signal TERM\nat 9000 quit\n";

const char* const kSettings = "type delay=30\nline scroll delay=200\nfont size=20\n";

std::string joined(const std::vector<std::string>& args) {
  std::string out;
  for (const std::string& a : args) out += (out.empty() ? "" : " ") + a;
  return "\"" + out + "\"";
}

// The first "textout" line at or after `ms`: its x and y.
bool firstTextAfter(const Trace& trace, uint64_t ms, int* x, int* y) {
  for (const TraceLine& line : trace.starting("textout ")) {
    int byte;
    if (line.ms >= ms && sscanf(line.event.c_str(), "textout %d %d %d", x, y, &byte) == 3)
      return true;
  }
  return false;
}

void sleepMs(int ms) {
  timespec pause = {ms / 1000, (ms % 1000) * 1000000L};
  nanosleep(&pause, nullptr);
}

// Waits (at most 20 s of real time) until the run's trace holds `prefix`.
bool waitForTrace(const SaverSandbox& sandbox, int run, const std::string& prefix) {
  std::string path = sandbox.root() + "/run" + std::to_string(run) + ".trace";
  for (int i = 0; i < 4000; i++) {
    if (readFile(path).find(" " + prefix) != std::string::npos) return true;
    sleepMs(5);
  }
  return false;
}

struct HostCase {
  std::vector<std::string> args;
  const char* hostVariable;  // XSCREENSAVER_WINDOW, or null
  const char* window;        // the trace's "create" line
};

// The default foreign window is 152x112; the root window (256) has the
// screen's 1024x768. "--font-size" holds "-s" and "--window-id" holds "-w":
// neither is taken for a switch of Windows.
const HostCase kHosts[] = {
    {{"--root"}, "0x1234", "create w1 parent=x4660 0,0 152x112"},
    {{"--root"}, "4660", "create w1 parent=x4660 0,0 152x112"},
    {{"-root"}, "0x1234", "create w1 parent=x4660 0,0 152x112"},
    {{"--root"}, nullptr, "create w1 parent=x256 0,0 1024x768"},
    {{"--window-id", "0x2A"}, "0x1234", "create w1 parent=x42 0,0 152x112"},
    {{"-window-id", "77"}, nullptr, "create w1 parent=x77 0,0 152x112"},
    {{"--window-id", "77", "--root"}, nullptr, "create w1 parent=x77 0,0 152x112"},
    {{"--font-size", "20"}, nullptr, "create w1 parent=x256 0,0 1024x768"},
    {{"--font-size", "20", "--root"}, "1000", "create w1 parent=x1000 0,0 152x112"},
};

TEST(EmbeddedRun, DrawsInTheHostsWindowIgnoresInputAndEndsOnSigterm) {
  for (const HostCase& c : kHosts) {
    SaverSandbox sandbox;
    sandbox.useDocument("typed in the host\n", kSettings);
    if (c.hostVariable) sandbox.setEnv("XSCREENSAVER_WINDOW", c.hostVariable);
    SaverRun run = sandbox.run(c.args, kInputThenTerm);
    const Trace& trace = run.trace;
    SCOPED_TRACE("command line " + joined(c.args) + "\n" + trace.text() + run.errors);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.errors, "");
    EXPECT_EQ(trace.firstTime(c.window), 0);
    EXPECT_EQ(trace.starting("create ").size(), 1u);
    // No single-instance mutex, no hidden cursor; the settings' delays.
    EXPECT_FALSE(trace.has("createmutex"));
    EXPECT_FALSE(trace.has("cursor hide"));
    EXPECT_EQ(trace.firstTime("settimer w1 43 30"), 0);
    EXPECT_EQ(trace.firstTime("settimer w1 42 200"), 30);
    EXPECT_EQ(typedText(trace).substr(0, 8), "typed in");
    // The window is disabled: no input reaches it (the host's window gets
    // it); the signal ends it through the clean-up.
    EXPECT_FALSE(trace.has("keydown"));
    EXPECT_FALSE(trace.has("mousemove"));
    EXPECT_FALSE(trace.has("buttondown"));
    EXPECT_EQ(trace.firstTime("signal TERM"), 2000);
    EXPECT_EQ(trace.firstTime("destroy w1"), 2000);
    EXPECT_EQ(trace.firstTime("wsacleanup count=0"), 2000);
    EXPECT_EQ(trace.firstTime("quit 0"), 2000);
  }
}

// Each termination signal, in each mode that has a window: WM_CLOSE to it,
// its clean-up, exit code 0. A dialog takes the close as Cancel and saves
// nothing.
TEST(EmbeddedRun, TerminationSignalsCloseEveryModeThroughItsCleanUp) {
  struct SignalCase {
    std::vector<std::string> args;
    const char* signal;
    const char* cleanUp;  // a trace line of the clean-up
  };
  const SignalCase cases[] = {
      {{"--root"}, "INT", "wsacleanup count=0"},
      {{"--root"}, "HUP", "wsacleanup count=0"},
      {{"-w"}, "HUP", "wsacleanup count=0"},
      {{"/s"}, "INT", "cursor show"},
      {{"/p", "4242"}, "TERM", "closemutex QuillonNoOtherInstance"},
      {{"/c"}, "TERM", "dialog w1 end 2"},
  };
  for (const SignalCase& c : cases) {
    SaverSandbox sandbox;
    sandbox.useDocument("line\n", kSettings);
    std::string ini = readFile(sandbox.windowsDir() + "/quillonscr.ini");
    SaverRun run = sandbox.run(c.args, std::string("at 1000 signal ") + c.signal + "\nat 9000 quit\n");
    SCOPED_TRACE(joined(c.args) + " " + c.signal + "\n" + run.trace.text() + run.errors);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.trace.firstTime(std::string("signal ") + c.signal), 1000);
    EXPECT_EQ(run.trace.firstTime("destroy w1"), 1000);
    EXPECT_EQ(run.trace.firstTime(c.cleanUp), 1000);
    EXPECT_EQ(readFile(sandbox.windowsDir() + "/quillonscr.ini"), ini);
  }
}

// The full-screen saver asking for its password when the signal comes: the
// dialog and the saver both get WM_CLOSE, and the process ends through the
// saver's clean-up.
TEST(EmbeddedRun, ASignalEndsTheSaverWhileItAsksForItsPassword) {
  SaverSandbox sandbox;
  sandbox.useDocument("locked\n", "password=" + storedPassword("pw"));
  sandbox.writeRegistry(
      "REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n\"ScreenSaveUsePassword\"=\"1\"\n");
  SaverRun run = sandbox.run({"/s"}, "at 1000 key A\nat 1500 signal TERM\nat 9000 quit\n");
  const Trace& trace = run.trace;
  SCOPED_TRACE(trace.text() + run.errors);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(trace.firstTime("dialog w2 begin 130"), 1000);
  EXPECT_EQ(trace.firstTime("signal TERM"), 1500);
  EXPECT_EQ(trace.firstTime("dialog w2 end"), 1500);
  EXPECT_EQ(trace.firstTime("destroy w1"), 1500);
  EXPECT_EQ(trace.firstTime("quit 0"), 1500);
}

TEST(EmbeddedRun, FollowsTheHostsWindowSizeAndEndsWithIt) {
  SaverSandbox sandbox;
  sandbox.useDocument("one\ntwo\nthree\nfour\n", kSettings);
  sandbox.setEnv("XSCREENSAVER_WINDOW", "0x1234");
  SaverRun run = sandbox.run({"--root"},
                             "at 1000 parentresize 4660 300 200\n"
                             "at 1500 parentresize 4661 500 500\n"
                             "at 3000 parentgone 4660\nat 9000 quit\n");
  const Trace& trace = run.trace;
  SCOPED_TRACE(trace.text() + run.errors);
  EXPECT_EQ(run.exitCode, 0);
  int x = 0, y = 0;
  // A 20-pixel cell on the bottom row of the 112-pixel-high window.
  ASSERT_TRUE(firstTextAfter(trace, 0, &x, &y));
  EXPECT_EQ(y, 112 - 20);
  // The host's new size: the window fills it again and the picture is laid
  // out anew, its bottom row now 200 - 20. Another foreign window's size
  // changes nothing.
  EXPECT_EQ(trace.firstTime("parentresize x4660 300x200"), 1000);
  EXPECT_EQ(trace.firstTime("resize w1 300x200"), 1000);
  EXPECT_EQ(trace.firstTime("move w1 0,0 300x200"), 1000);
  EXPECT_FALSE(trace.has("parentresize x4661"));
  ASSERT_TRUE(firstTextAfter(trace, 1001, &x, &y));
  EXPECT_EQ(y, 200 - 20);
  EXPECT_EQ(trace.firstTime("parentgone x4660"), 3000);
  EXPECT_EQ(trace.firstTime("destroy w1"), 3000);
  EXPECT_EQ(trace.firstTime("quit 0"), 3000);
}

// Every option, against a settings file that says otherwise: the run uses
// the options, and the file stays byte for byte as it was.
TEST(EmbeddedRun, OptionsOverrideTheSettingsForThisRunOnly) {
  SaverSandbox sandbox;
  std::string second = sandbox.root() + "/second.txt", third = sandbox.root() + "/third.txt";
  FILE* file = fopen(second.c_str(), "w");
  fputs("from the second\n", file);
  fclose(file);
  file = fopen(third.c_str(), "w");
  fputs("and the third\n", file);
  fclose(file);
  sandbox.useDocument("from the settings file\n",
                      "type delay=30\nline scroll delay=200\nfont size=20\nindent=0\n"
                      "font name=Courier New\nfgcolor=00FF00\nbgcolor=000000\n");
  std::string ini = readFile(sandbox.windowsDir() + "/quillonscr.ini");
  std::string snapshot = sandbox.root() + "/embedded.png";
  SaverRun run = sandbox.run(
      {"--root", "--type-delay", "70", "--line-delay", "300", "--font-size", "24", "--indent",
       "6", "--fg", "#ff8000", "--bg", "000080", "--font", "Liberation Mono", "--url",
       "file://" + second, "--url", "file://" + third, "--fetch-timeout", "3"},
      "at 6000 snapshot " + snapshot + "\nat 6000 signal TERM\nat 9000 quit\n");
  const Trace& trace = run.trace;
  SCOPED_TRACE(trace.text() + run.errors);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.errors, "");
  EXPECT_EQ(trace.firstTime("settimer w1 43 70"), 0);
  EXPECT_EQ(trace.firstTime("settimer w1 42 300"), 70);
  EXPECT_EQ(typedText(trace).substr(0, 28), "from the secondand the third");
  int x = 0, y = 0;
  ASSERT_TRUE(firstTextAfter(trace, 0, &x, &y));
  EXPECT_EQ(x, 6);
  // The bottom row of cells about 24 pixels high (the settings' 20 would
  // give 748).
  EXPECT_GE(y, 768 - 26);
  EXPECT_LE(y, 768 - 22);
  EXPECT_EQ(readFile(sandbox.windowsDir() + "/quillonscr.ini"), ini);

  // Orange text on a navy background: #rrggbb as written.
  int width = 0, height = 0;
  std::vector<uint32_t> pixels = readPng(snapshot, &width, &height);
  ASSERT_EQ(width, 1024);
  ASSERT_EQ(height, 768);
  EXPECT_EQ(pixels[0], 0x000080u);
  int orange = 0;
  for (uint32_t p : pixels) orange += p == 0xFF8000u;
  EXPECT_GT(orange, 20);
}

struct BadCase {
  std::vector<std::string> args;
  const char* named;  // what the message names
};

const BadCase kBadOptions[] = {
    {{"--root", "--type-delay", "fast"}, "--type-delay"},
    {{"--root", "--line-delay", "-5"}, "--line-delay"},
    {{"--font-size", "0"}, "--font-size"},
    {{"--root", "--indent", "99999999999"}, "--indent"},
    {{"--root", "--fetch-timeout", "5s"}, "--fetch-timeout"},
    {{"--root", "--fg", "00ff0"}, "--fg"},
    {{"--root", "--bg", "#12345g"}, "--bg"},
    {{"--root", "--font", "abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvw"}, "--font"},
    {{"--root", "--url"}, "--url"},
    {{"--window-id", "0x"}, "--window-id"},
    {{"-window-id", "zero"}, "-window-id"},
    {{"--root", "--speed", "3"}, "--speed"},
    {{"--root", "stray"}, "stray"},
};

TEST(EmbeddedRun, ABadOptionEndsWithCode2AndALineNamingIt) {
  SaverSandbox sandbox;
  sandbox.useDocument("never typed\n", kSettings);
  for (const BadCase& c : kBadOptions) {
    SaverRun run = sandbox.run(c.args, "at 9000 quit\n");
    SCOPED_TRACE(joined(c.args) + "\n" + run.errors);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.errors.find(c.named), std::string::npos);
    EXPECT_EQ(run.errors.find('\n'), run.errors.size() - 1);
    EXPECT_FALSE(run.trace.has("create "));
  }
}

// Under a host the saver must not die: the same options only warn, and the
// settings file's values (or the host's window) are used.
TEST(EmbeddedRun, UnderAHostABadOptionOnlyWarns) {
  SaverSandbox sandbox;
  sandbox.useDocument("typed anyway\n", kSettings);
  sandbox.setEnv("XSCREENSAVER_WINDOW", "0x1234");
  for (const BadCase& c : kBadOptions) {
    SaverRun run = sandbox.run(c.args, "at 1000 signal TERM\nat 9000 quit\n");
    SCOPED_TRACE(joined(c.args) + "\n" + run.errors + run.trace.text());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.errors.find(c.named), std::string::npos);
    EXPECT_EQ(run.errors.find('\n'), run.errors.size() - 1);
    EXPECT_EQ(run.trace.firstTime("create w1 parent=x4660 0,0 152x112"), 0);
    EXPECT_EQ(run.trace.firstTime("settimer w1 43 30"), 0);
    EXPECT_EQ(run.trace.firstTime("destroy w1"), 1000);
  }
}

TEST(EmbeddedRun, HelpPrintsTheUsageAndEnds) {
  SaverSandbox sandbox;
  SaverRun run = sandbox.run({"--help"}, "at 9000 quit\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.errors, "");
  EXPECT_FALSE(run.trace.has("create "));
  for (const char* option : {"--root", "--window-id", "--url", "--type-delay", "--line-delay",
                             "--font ", "--font-size", "--indent", "--fg", "--bg",
                             "--fetch-timeout", "--help", "--version"})
    EXPECT_NE(run.output.find(option), std::string::npos) << option << "\n" << run.output;
}

// The version line names the project version; so do the changelog, the man
// page and the Windows resources (tests/release checks that they agree).
TEST(EmbeddedRun, VersionPrintsTheProjectVersionAndEnds) {
  SaverSandbox sandbox;
  for (std::vector<std::string> args : {std::vector<std::string>{"--version"},
                                        std::vector<std::string>{"--root", "--version"}}) {
    SaverRun run = sandbox.run(args, "at 9000 quit\n");
    SCOPED_TRACE(joined(args));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.errors, "");
    EXPECT_EQ(run.output, "quillon " QUILLON_TEST_VERSION "\n");
    EXPECT_FALSE(run.trace.has("create "));
  }
}

// A real SIGTERM from another process, with the real clock: it ends the
// wait at once and the clean-up runs.
TEST(EmbeddedRun, ARealSigtermEndsTheWaitAndRunsTheCleanUp) {
  SaverSandbox sandbox;
  sandbox.useDocument("a long line that keeps the typewriter busy for a while\n",
                      "type delay=5000\n");
  sandbox.setEnv("QUILLON_CLOCK", "real");
  pid_t pid = sandbox.start({"--root"}, "");
  ASSERT_GT(pid, 0);
  ASSERT_TRUE(waitForTrace(sandbox, 1, "settimer w1 43 5000"));
  kill(pid, SIGTERM);
  SaverRun run = sandbox.finish(pid);
  SCOPED_TRACE(run.trace.text() + run.errors);
  EXPECT_EQ(run.exitCode, 0);
  long long signalled = run.trace.firstTime("signal TERM");
  ASSERT_GE(signalled, 0);
  EXPECT_GE(run.trace.firstTime("destroy w1"), signalled);
  EXPECT_GE(run.trace.firstTime("quit 0"), signalled);
  // Taken at once, not at the next typing tick 5 s on.
  EXPECT_LT(run.trace.firstTime("quit 0"), 5000);
}

// Stopped (SIGSTOP) and continued (SIGCONT) by a host: the typing goes on
// at its pace and does not burst to make up for the pause.
TEST(EmbeddedRun, APauseDoesNotMakeTheTypewriterCatchUp) {
  SaverSandbox sandbox;
  sandbox.useDocument(std::string(400, 'x') + "\n", "type delay=20\n");
  sandbox.setEnv("QUILLON_CLOCK", "real");
  pid_t pid = sandbox.start({"--root"}, "");
  ASSERT_GT(pid, 0);
  ASSERT_TRUE(waitForTrace(sandbox, 1, "textout"));
  kill(pid, SIGSTOP);
  sleepMs(600);
  kill(pid, SIGCONT);
  sleepMs(200);
  kill(pid, SIGTERM);
  SaverRun run = sandbox.finish(pid);
  EXPECT_EQ(run.exitCode, 0);
  std::vector<TraceLine> ticks = run.trace.starting("timer w1 43");
  ASSERT_GE(ticks.size(), 3u);
  // Each tick is armed 20 ms after the last one was taken (its trace line
  // may come a millisecond later); a catch-up would bunch them together.
  bool paused = false;
  for (size_t i = 1; i < ticks.size(); i++) {
    EXPECT_GE(ticks[i].ms - ticks[i - 1].ms, 15u) << run.trace.text();
    paused |= ticks[i].ms - ticks[i - 1].ms >= 500;
  }
  EXPECT_TRUE(paused) << run.trace.text();
}

// A fetch that blocks (a server that never answers, no time limit) cannot
// hold the end up: the process ends with 0 all the same.
TEST(EmbeddedRun, ABlockedFetchDoesNotHoldTheEndUp) {
  HttpServer server;
  HttpRoute held;
  held.stallAfter = 0;
  held.stallMs = 30000;
  server.route("/held", held);
  SaverSandbox sandbox;
  sandbox.writeSettings("url count=1\nurl0=" + server.url("/held") + "\nfetch timeout=0\n");
  sandbox.setEnv("QUILLON_CLOCK", "real");
  pid_t pid = sandbox.start({"--root"}, "");
  ASSERT_GT(pid, 0);
  ASSERT_TRUE(server.waitForRequest("/held"));
  timespec before, after;
  clock_gettime(CLOCK_MONOTONIC, &before);
  kill(pid, SIGTERM);
  SaverRun run = sandbox.finish(pid);
  clock_gettime(CLOCK_MONOTONIC, &after);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_LT(after.tv_sec - before.tv_sec, 10) << "held up by the fetch";
}

}  // namespace
