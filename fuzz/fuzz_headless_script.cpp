// The headless driver's script parser: any text either parses into events
// in time order or is refused with a message naming a line.
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "platform/drivers/headless/headless_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<ScriptEvent> events;
  std::string error;
  if (!parseScript(text, &events, &error)) {
    fuzzCheck(error.compare(0, 5, "line ") == 0, "a refusal names its line");
    return 0;
  }
  for (size_t i = 1; i < events.size(); i++)
    fuzzCheck(events[i - 1].at <= events[i].at, "events in time order");
  return 0;
}
