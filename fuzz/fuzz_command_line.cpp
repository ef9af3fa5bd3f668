// The command-line parser: any text (cut at its first zero byte, as a
// command line is) selects one of the run modes, and reading it twice
// selects the same one.
#include <stddef.h>
#include <stdint.h>

#include <string>

#include "fuzz/fuzz_check.h"
#include "host/command_line.h"
#include "host/saver_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  text = text.substr(0, text.find('\0'));
  runMode = None;
  parentWindow = nullptr;
  parseCommandLine(&text[0]);
  RunMode first = runMode;
  fuzzCheck(first == None || first == Windowed || first == Configure || first == Saver ||
                first == Preview || first == SetPassword,
            "a run mode");
  HWND parent = parentWindow;
  runMode = None;
  parseCommandLine(&text[0]);  // now lower case already
  fuzzCheck(runMode == first && parentWindow == parent, "the same mode again");
  return 0;
}
