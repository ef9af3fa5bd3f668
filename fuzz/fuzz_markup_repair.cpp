// The mending of feed markup before the XML parser, on any UTF-8 text.
//
// Properties: the mended text holds no control character XML forbids and
// does not start with a blank; mending it again changes nothing; valid UTF-8
// stays valid UTF-8.
#include <stddef.h>
#include <stdint.h>

#include <string>

#include "feed/markup_repair.h"
#include "feed/utf8_text.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::string mended;
  if (!repairMarkup(text.data(), text.size(), &mended)) mended = text;
  for (char c : mended) {
    unsigned char u = static_cast<unsigned char>(c);
    fuzzCheck(u >= 0x20 || u == '\t' || u == '\n' || u == '\r', "no forbidden control character");
  }
  fuzzCheck(mended.empty() || (mended[0] != ' ' && mended[0] != '\t' && mended[0] != '\n' && mended[0] != '\r'),
            "no blank at the start");
  std::string twice;
  fuzzCheck(!repairMarkup(mended.data(), mended.size(), &twice), "mending the mended text changes nothing");
  if (validUtf8(text.data(), text.size())) fuzzCheck(validUtf8(mended.data(), mended.size()), "UTF-8 kept valid");
  return 0;
}
