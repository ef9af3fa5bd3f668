// The feed's line splitting with receiveChunk in random chunkings. The first
// input byte gives the number (0 to 7) of chunk sizes that follow it, used
// in turn to cut the rest, the document, into pieces as a transfer might
// deliver it.
//
// Property: the lines queued are those of the whole document, cut at CR and
// LF with empty lines dropped, where each piece counts up to its first zero
// byte (what follows a zero byte within its piece is lost, by design).
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <string>
#include <vector>

#include "feed/document_buffer.h"
#include "feed/feed_fetcher.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  size_t sizes = data[0] % 8;
  if (size < 1 + sizes) return 0;
  std::vector<size_t> pieces;
  for (size_t i = 0; i < sizes; i++) pieces.push_back(data[1 + i] == 0 ? 1 : data[1 + i]);
  if (pieces.empty()) pieces.push_back(size);  // the whole document at once
  std::string document(reinterpret_cast<const char*>(data) + 1 + sizes, size - 1 - sizes);

  lineQueue.clear();
  DocumentBuffer buffer;
  buffer.limit = maxDocumentBytes;
  std::string kept;
  size_t at = 0;
  for (size_t turn = 0; at < document.size(); turn++) {
    size_t length = pieces[turn % pieces.size()];
    if (length > document.size() - at) length = document.size() - at;
    std::string piece = document.substr(at, length);
    fuzzCheck(receiveChunk(&piece[0], 1, length, &buffer) == length, "every byte taken");
    kept += piece.substr(0, strnlen(piece.c_str(), length));
    at += length;
  }
  int queued = queueDocumentLines(&buffer);

  std::vector<std::string> expected;
  size_t start = 0;
  while (start <= kept.size()) {
    size_t end = kept.find_first_of("\r\n", start);
    if (end == std::string::npos) end = kept.size();
    if (end > start) expected.push_back(kept.substr(start, end - start));
    start = end + 1;
  }
  fuzzCheck(queued == static_cast<int>(expected.size()), "the number of lines");
  fuzzCheck(lineQueue.count() == queued, "every line queued");
  std::vector<char> line(kept.size() + 2);
  for (const std::string& want : expected) {
    lineQueue.popFront(line.data(), static_cast<int>(line.size() - 1));
    fuzzCheck(want == line.data(), "the lines of the whole document, in order");
  }
  fuzzCheck(buffer.text == nullptr, "the text released");
  return 0;
}
