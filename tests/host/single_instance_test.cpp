// The single-instance rule across real processes: while one saver holds the
// mutex "QuillonNoOtherInstance", a second non-windowed instance ends at
// once, a windowed one starts beside it, and a holder that dies releases it.
//
// The first saver is held inside its first fetch by a loopback server that
// answers slowly, so it is alive and holding the mutex for as long as the
// test needs, whatever the speed of the machine.
#include <gtest/gtest.h>
#include <signal.h>

#include "tests/host/saver_process.h"
#include "tests/support/http_server.h"

namespace {

TEST(SingleInstance, SecondSaverEndsWindowedStartsDeadHolderReleases) {
  HttpServer server;
  HttpRoute held;
  held.body = "never finished\n";
  held.stallAfter = 0;
  held.stallMs = 60000;
  server.route("/held", held);

  SaverSandbox first;
  first.writeSettings("url count=1\nurl0=" + server.url("/held") + "\nfetch timeout=0");
  pid_t holder = first.start({"/s"}, "at 600000 quit\n");
  ASSERT_GT(holder, 0);
  ASSERT_TRUE(server.waitForRequest("/held"));

  // Other instances share the first one's run-time folder (the mutex's
  // namespace) but have settings of their own.
  SaverSandbox second;
  second.setEnv("XDG_RUNTIME_DIR", first.runtimeDir());
  second.useDocument("beside\n");

  for (const char* mode : {"/s", "/p 4242", "/c", "/a 5"}) {
    SaverRun run = second.run({mode}, "at 1000 key Q\n");
    EXPECT_EQ(run.exitCode, 0) << mode;
    EXPECT_TRUE(run.trace.has("createmutex QuillonNoOtherInstance exists")) << mode << "\n"
                                                                            << run.trace.text();
    EXPECT_FALSE(run.trace.has("create ")) << mode << "\n" << run.trace.text();
  }

  SaverRun windowed = second.run({"-w"}, "at 1000 key Q\n");
  EXPECT_EQ(windowed.exitCode, 0);
  EXPECT_FALSE(windowed.trace.has("createmutex"));
  EXPECT_EQ(windowed.trace.firstTime("create w1"), 0) << windowed.trace.text();
  EXPECT_EQ(windowed.trace.firstTime("destroy w1"), 1000);

  kill(holder, SIGKILL);
  SaverRun killed = first.finish(holder);
  EXPECT_EQ(killed.exitCode, 128 + SIGKILL);

  SaverRun after = second.run({"/s"}, "at 1000 key Q\n");
  EXPECT_EQ(after.exitCode, 0);
  EXPECT_TRUE(after.trace.has("createmutex QuillonNoOtherInstance new")) << after.trace.text();
  EXPECT_EQ(after.trace.firstTime("create w1"), 0);
}

// Closing the saver closes its mutex handle at once, and the next saver
// takes the name as new.
TEST(SingleInstance, ClosedSaverLetsTheNextOneStart) {
  SaverSandbox sandbox;
  sandbox.useDocument("again\n");
  for (int i = 0; i < 2; i++) {
    SaverRun run = sandbox.run({"/s"}, "at 500 key Q\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.trace.has("createmutex QuillonNoOtherInstance new")) << run.trace.text();
    EXPECT_EQ(run.trace.firstTime("closemutex QuillonNoOtherInstance"), 500);
  }
}

}  // namespace
