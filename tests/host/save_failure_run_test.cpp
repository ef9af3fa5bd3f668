// A dialog's OK whose settings cannot be written: the real program, run
// through the headless driver, shows a message box over the dialog's owner
// and ends with exit code 1 once it is dismissed; the same OK with a
// writable settings folder saves and ends with 0, with no box. The folder
// is made unwritable by putting it under a plain file, which holds even for
// root.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/host/saver_process.h"
#include "tests/support/temp_dir.h"

namespace {

struct SaveCase {
  const char* name;
  std::vector<std::string> args;
  const char* okScript;  // fills the dialog and presses OK at 200 ms
};

const SaveCase kCases[] = {
    {"configuration /c", {"/c"}, "at 200 command 1\n"},
    {"password /a 0", {"/a", "0"},
     "at 100 type abc\nat 110 focus 1013\nat 120 type abc\nat 200 command 1\n"},
};

TEST(SaveFailureRun, AFailedSaveShowsAMessageBoxAndExitsWithOne) {
  for (const SaveCase& c : kCases) {
    for (bool blocked : {false, true}) {
      SaverSandbox sandbox;
      TempDir elsewhere;
      std::string blocker = elsewhere.write("blocker", "a plain file where a folder should be\n");
      if (blocked) sandbox.setEnv("QUILLON_WINDOWS_DIR", blocker + "/windows");
      SaverRun run = sandbox.run(c.args, std::string(c.okScript) +
                                             "at 400 command 1\nat 9000 quit\n");
      SCOPED_TRACE(std::string(c.name) + (blocked ? ", blocked" : ", writable") + "\n" +
                   run.trace.text() + run.errors);
      EXPECT_TRUE(run.trace.has("dialog w1 end 1"));
      long long boxShown = -1;
      for (const TraceLine& line : run.trace.starting("dialog w"))
        if (line.event.find(" begin memory") != std::string::npos) boxShown = line.ms;
      EXPECT_EQ(boxShown, blocked ? 200 : -1);
      EXPECT_EQ(run.exitCode, blocked ? 1 : 0);
      EXPECT_EQ(readFile(blocker), "a plain file where a folder should be\n");
      if (!blocked) {
        EXPECT_NE(readFile(sandbox.windowsDir() + "/quillonscr.ini"), "");
      }
      // The box's OK ends the program at once.
      EXPECT_FALSE(run.trace.has("scriptquit"));
    }
  }
}

}  // namespace
