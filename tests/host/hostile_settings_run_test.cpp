// The real program with every numeric setting at the ends of its range and
// on screens and windows of every size down to nothing: each run must end
// cleanly (exit code 0, nothing on stderr about a fault), which in the
// sanitizer build also means no undefined behaviour and no bad memory
// access on the way.
#include <gtest/gtest.h>

#include <stdio.h>

#include <string>

#include "tests/host/saver_process.h"

namespace {

const char* const kNumericKeys[] = {"line scroll delay", "type delay", "indent",
                                    "font size",         "fetch timeout", "url count"};
const char* const kColourKeys[] = {"bgcolor", "fgcolor"};
const long long kValues[] = {-2147483648LL, -1, 0, 1, 2147483647};

// The tested key comes first: the first key of a name wins.
void useHostileSetting(SaverSandbox* sandbox, const std::string& keyLine) {
  std::string document = sandbox->root() + "/document.txt";
  FILE* file = fopen(document.c_str(), "w");
  ASSERT_NE(file, nullptr);
  fputs("a line long enough to wrap on a narrow window, typed again and again\nshort\n", file);
  fclose(file);
  sandbox->writeSettings(keyLine + "\nurl count=1\nurl0=file://" + document +
                         "\nfetch timeout=5");
}

void expectCleanRun(SaverSandbox* sandbox, const std::vector<std::string>& args,
                    const std::string& script, const std::string& what) {
  SaverRun run = sandbox->run(args, script);
  EXPECT_EQ(run.exitCode, 0) << what << "\n" << run.errors;
  EXPECT_EQ(run.errors.find("runtime error"), std::string::npos) << what << "\n" << run.errors;
  EXPECT_EQ(run.errors.find("Sanitizer"), std::string::npos) << what << "\n" << run.errors;
}

}  // namespace

// indent=2147483647 once overflowed the cell position in the typing tick.
TEST(HostileSettingsRun, EveryNumericSettingAtTheEndsOfItsRange) {
  SaverSandbox sandbox;
  for (const char* key : kNumericKeys)
    for (long long value : kValues) {
      std::string line = std::string(key) + "=" + std::to_string(value);
      useHostileSetting(&sandbox, line);
      for (const char* mode : {"-w", "/s"})
        expectCleanRun(&sandbox, {mode}, "at 6000 quit\n", line + " " + mode);
    }
}

TEST(HostileSettingsRun, ColoursOfEveryBitPattern) {
  SaverSandbox sandbox;
  for (const char* key : kColourKeys)
    for (long long value : kValues) {
      char line[64];
      snprintf(line, sizeof line, "%s=%llX", key, static_cast<unsigned long long>(value) & 0xFFFFFFFFu);
      useHostileSetting(&sandbox, line);
      expectCleanRun(&sandbox, {"/s"}, "at 3000 quit\n", line);
    }
}

TEST(HostileSettingsRun, ScreensFromOnePixelUp) {
  SaverSandbox sandbox;
  useHostileSetting(&sandbox, "indent=3");
  for (const char* size : {"1x1", "2x2", "1x768", "1024x1", "32767x1", "1x32767"}) {
    sandbox.setEnv("QUILLON_SCREEN", size);
    for (const char* mode : {"-w", "/s"})
      expectCleanRun(&sandbox, {mode}, "at 6000 quit\n", std::string(size) + " " + mode);
  }
}

// "resize 0 500" once bound a reference to the first pixel of a window that
// had none.
TEST(HostileSettingsRun, WindowResizedToNothingAndBack) {
  SaverSandbox sandbox;
  useHostileSetting(&sandbox, "indent=3");
  for (const char* size : {"0 500", "500 0", "0 0", "1 1", "16384 1", "1 16384"}) {
    std::string script = std::string("at 100 resize ") + size + "\nat 1500 resize 300 200\n" +
                         "at 3000 resize " + size + "\nat 6000 quit\n";
    expectCleanRun(&sandbox, {"-w"}, script, std::string("resize ") + size);
  }
}
