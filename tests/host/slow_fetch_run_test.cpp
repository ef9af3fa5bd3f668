// The real program while a server is slow: the transfer runs beside the
// message loop, so a key, a close, a signal, the end of the preview's parent
// and a resize are answered at once, in every mode, whatever the fetch
// timeout; and the fetch cycle stays polite when the documents give nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/host/saver_process.h"
#include "tests/support/http_server.h"

namespace {

// What a close may take once it was asked for, in milliseconds of the real
// clock: a message round trip and the cancel of the transfer (the wake-up of
// its thread). scripts/bench-slow-fetch measures it; a generous bound
// here keeps a loaded machine from failing the test, while a fetch that held
// the loop would take seconds.
const long long kPromptMs = 250;

struct SlowServer {
  const char* name;
  HttpRoute route;
};

std::vector<SlowServer> slowServers() {
  HttpRoute silent;  // accepts, never answers
  silent.delayMs = 120000;
  HttpRoute trickle;  // one byte a second
  trickle.body = "slow text arriving\n";
  trickle.trickleMs = 1000;
  HttpRoute late;  // answers after 3 s
  late.delayMs = 3000;
  late.body = "late text\n";
  return {{"/silent", silent}, {"/trickle", trickle}, {"/late", late}};
}

// A sandbox on the real clock whose one URL is `url`.
void useSlowUrl(SaverSandbox* sandbox, const std::string& url, int timeout) {
  sandbox->setEnv("QUILLON_CLOCK", "real");
  sandbox->writeSettings("url count=1\nurl0=" + url + "\nfetch timeout=" +
                         std::to_string(timeout));
}

// The run ended with its clean-up (WM_QUIT taken, exit code 0) within
// kPromptMs of the trace event `cause`.
void expectPromptEnd(const SaverRun& run, const std::string& cause, const std::string& what) {
  EXPECT_EQ(run.exitCode, 0) << what << run.errors;
  long long asked = run.trace.firstTime(cause);
  long long quit = run.trace.firstTime("quit 0");
  ASSERT_GE(asked, 900) << what << run.trace.text();
  ASSERT_GE(quit, asked) << what << run.trace.text();
  EXPECT_LE(quit - asked, kPromptMs) << what;
}

}  // namespace

TEST(SlowFetchRun, AKeyEndsTheSaverWhileTheServerIsSlow) {
  HttpServer server;
  for (const SlowServer& slow : slowServers()) server.route(slow.name, slow.route);
  for (const SlowServer& slow : slowServers()) {
    for (int timeout : {5, 0}) {
      SaverSandbox sandbox;
      useSlowUrl(&sandbox, server.url(slow.name), timeout);
      SaverRun run = sandbox.run({"/s"}, "at 1000 key A\nat 20000 quit\n");
      expectPromptEnd(run, "keydown", std::string(slow.name) + " timeout " +
                                          std::to_string(timeout));
    }
  }
}

TEST(SlowFetchRun, EveryModeEndsAsUsualWhileAFetchHangs) {
  HttpServer server;
  server.route("/silent", slowServers()[0].route);
  struct Case {
    std::vector<std::string> args;
    const char* script;
    const char* cause;  // the trace event that asks for the end
  } cases[] = {
      {{"-w"}, "at 1000 key Q\n", "keydown"},
      {{"-w"}, "at 1000 close\n", "close"},
      {{"--root"}, "at 1000 signal TERM\n", "signal TERM"},
      {{"/p", "1234"}, "at 1000 parentgone 1234\n", "parentgone"},
  };
  for (const Case& c : cases) {
    SaverSandbox sandbox;
    useSlowUrl(&sandbox, server.url("/silent"), 0);
    SaverRun run = sandbox.run(c.args, std::string(c.script) + "at 20000 quit\n");
    expectPromptEnd(run, c.cause, c.args[0]);
  }
}

TEST(SlowFetchRun, AResizeWhileAFetchHangsIsLaidOutAtOnce) {
  HttpServer server;
  server.route("/silent", slowServers()[0].route);
  SaverSandbox sandbox;
  useSlowUrl(&sandbox, server.url("/silent"), 0);
  SaverRun run = sandbox.run({"-w"}, "at 1000 resize 500 400\nat 1500 key Q\nat 20000 quit\n");
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  // The re-layout copies the picture into the new size at once.
  long long resized = run.trace.firstTime("resize w1 500x400");
  ASSERT_GE(resized, 1000) << run.trace.text();
  bool laidOut = false;
  for (const TraceLine& line : run.trace.starting("bitblt "))
    if (line.ms >= static_cast<uint64_t>(resized) && line.ms < 1500) laidOut = true;
  EXPECT_TRUE(laidOut) << run.trace.text();
}

// Three URLs that give empty documents: after the first round, the next
// waits 30 s, the one after 60 s. Fetching again at every line pause would
// make more than a hundred requests a minute.
TEST(SlowFetchRun, RoundsWithoutTextWaitBeforeTheNextRound) {
  HttpServer server;
  HttpRoute empty;
  for (const char* path : {"/e1", "/e2", "/e3"}) server.route(path, empty);
  SaverSandbox sandbox;
  sandbox.writeSettings("url count=3\nurl0=" + server.url("/e1") + "\nurl1=" +
                        server.url("/e2") + "\nurl2=" + server.url("/e3") + "\n");
  SaverRun run = sandbox.run({"/s"}, "at 60000 quit\n");
  EXPECT_EQ(server.requests().size(), 6u) << run.trace.text();
  // The saver waits with a timer of its own, answering input meanwhile.
  EXPECT_TRUE(run.trace.has("settimer w1 44 30000")) << run.trace.text();
  EXPECT_TRUE(run.trace.has("settimer w1 44 60000")) << run.trace.text();
}

TEST(SlowFetchRun, TypingResumesWhenAUrlGivesTextAgain) {
  HttpServer server;
  HttpRoute empty;
  HttpRoute later;  // empty at first, then news
  later.body = "news\n";
  later.emptyFirst = 1;
  server.route("/e1", empty);
  server.route("/e2", later);
  SaverSandbox sandbox;
  sandbox.writeSettings("url count=2\nurl0=" + server.url("/e1") + "\nurl1=" +
                        server.url("/e2") + "\n");
  SaverRun run = sandbox.run({"/s"}, "at 40000 quit\n");
  // The second round, 30 s after the first, brings the text.
  std::vector<TraceLine> waits = run.trace.starting("settimer w1 44 ");
  ASSERT_EQ(waits.size(), 1u) << run.trace.text();
  EXPECT_EQ(typedText(run.trace).substr(0, 4), "news") << run.trace.text();
  std::vector<TraceLine> typed = run.trace.starting("textout ");
  ASSERT_FALSE(typed.empty());
  EXPECT_GT(typed[0].ms, waits[0].ms + 30000);
  EXPECT_LT(typed[0].ms, waits[0].ms + 32000);
}

// The password prompt while a fetch hangs: it comes at the key, takes the
// password, and OK ends the saver.
TEST(SlowFetchRun, ThePasswordPromptWorksWhileAFetchHangs) {
  HttpServer server;
  server.route("/silent", slowServers()[0].route);
  SaverSandbox sandbox;
  useSlowUrl(&sandbox, server.url("/silent"), 0);
  sandbox.writeSettings("url count=1\nurl0=" + server.url("/silent") +
                        "\nfetch timeout=0\npassword=" + storedPassword("pw"));
  sandbox.writeRegistry(
      "REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n\"ScreenSaveUsePassword\"=\"1\"\n");
  SaverRun run = sandbox.run({"/s"}, "at 1000 key A\nat 1300 type pw\nat 1400 key RETURN\n"
                                     "at 20000 quit\n");
  EXPECT_TRUE(run.trace.has("dialog")) << run.trace.text();
  // Keys of a password field are traced as '*': the dialog's end stands for
  // the Return that gave the password.
  expectPromptEnd(run, "dialog w2 end 1", "password");
}
