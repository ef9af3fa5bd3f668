// Preview mode end to end: the banner, not the configured feeds, typed at
// font size 15 with a type delay of 150 ms and a line scroll delay of
// 1000 ms, and the banner file removed when the preview's window goes.
#include <gtest/gtest.h>

#include "tests/host/saver_process.h"

namespace {

const char* const kBanner =
    "Quillon\nscreen saver\nby Tomas Wren - 2001\nfor more information\n"
    "visit www.quillon-saver.example.net\n===================";

TEST(PreviewRun, TypesTheBannerSlowlyInASmallFont) {
  SaverSandbox sandbox;
  sandbox.useDocument("configured feed, never shown\n");
  SaverRun run = sandbox.run({"/p", "4242"}, "at 60000 quit\n");
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  const Trace& trace = run.trace;

  // The banner's lines, and then the banner again: its URL is the only one.
  std::string expected;
  for (const char* c = kBanner; *c; c++)
    if (*c != '\n') expected += *c;
  EXPECT_EQ(typedText(trace).substr(0, expected.size() + 7), expected + "Quillon");

  // The first tick after 150 ms fetches and pauses; the scroll comes 1000 ms
  // later and the first character 150 ms after it.
  EXPECT_EQ(trace.firstTime("settimer w1 43 150"), 0);
  EXPECT_EQ(trace.firstTime("settimer w1 42 1000"), 150);
  EXPECT_EQ(trace.firstTime("timer w1 42"), 1150);
  std::vector<TraceLine> text = trace.starting("textout ");
  ASSERT_GE(text.size(), 4u);
  EXPECT_EQ(text[0].ms, 1300u);
  EXPECT_EQ(text[2].ms, 1450u);
  // A 15-pixel cell: the bottom row of the 112-pixel-high preview starts at
  // y = 112 - 15.
  int x, y, byte;
  ASSERT_EQ(sscanf(text[0].event.c_str(), "textout %d %d %d", &x, &y, &byte), 3);
  EXPECT_EQ(y, 97);
}

TEST(PreviewRun, BannerFileIsGoneAfterTheWindow) {
  SaverSandbox sandbox;
  SaverRun run = sandbox.run({"/p", "4242"}, "at 2000 parentgone 4242\nat 3000 quit\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.trace.firstTime("destroy w1"), 2000) << run.trace.text() << run.errors;
  EXPECT_TRUE(filesIn(sandbox.tempDir()).empty());
}

// When no banner file can be made (here the temporary folder is /proc, where
// not even root creates a file) the banner is typed from memory, again and
// again, and nothing is fetched: no error line, nothing on stderr.
TEST(PreviewRun, BannerWithoutItsFileIsTypedFromMemory) {
  SaverSandbox sandbox;
  sandbox.useDocument("configured feed, never shown\n");
  sandbox.setEnv("TMP", "/proc");
  sandbox.setEnv("TMPDIR", "/proc");
  SaverRun run = sandbox.run({"/p", "4242"}, "at 60000 quit\n");
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  std::string expected;
  for (const char* c = kBanner; *c; c++)
    if (*c != '\n') expected += *c;
  EXPECT_EQ(typedText(run.trace).substr(0, expected.size() + 7), expected + "Quillon")
      << run.trace.text();
  EXPECT_EQ(typedText(run.trace).find("Error"), std::string::npos);
  EXPECT_EQ(run.errors, "");
}

}  // namespace
