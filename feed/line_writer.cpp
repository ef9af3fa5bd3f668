// Display lines from running text (see line_writer.h).
#include "feed/line_writer.h"

namespace {

bool isBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

void emit(LineWriter* writer, const char* text, size_t length) {
  if (length == 0 || writer->full) return;
  writer->out.append(text, length);
  writer->out += '\n';
  if (writer->out.size() >= writer->outLimit) writer->full = true;
}

// Makes room for a character of `width`: a full line is ended at its last
// blank, the words behind it starting the next line.
void makeRoom(LineWriter* writer, int width) {
  if (writer->lineChars + width <= maxLineChars) return;
  std::string& line = writer->line;
  size_t blank = line.rfind(' ');
  if (blank == std::string::npos || blank == 0) {
    emit(writer, line.data(), line.size());
    line.clear();
    writer->lineChars = 0;
    return;
  }
  emit(writer, line.data(), blank);
  line.erase(0, blank + 1);
  int chars = 0;
  for (unsigned char c : line) {
    if ((c & 0xC0) != 0x80) chars += c >= 0xF0 ? 2 : 1;
  }
  writer->lineChars = chars;
}

}  // namespace

void writeText(LineWriter* writer, const char* text, size_t length) {
  for (size_t i = 0; i < length && !writer->full; i++) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (isBlank(c)) {
      writer->blankPending = !writer->line.empty();
      continue;
    }
    if ((c & 0xC0) != 0x80) {  // a character starts here
      int width = c >= 0xF0 ? 2 : 1;
      if (writer->blankPending) {
        writer->blankPending = false;
        if (writer->lineChars + 1 + width > maxLineChars) {
          writeBreak(writer);  // the line ends at the blank
        } else {
          writer->line += ' ';
          writer->lineChars++;
        }
      }
      makeRoom(writer, width);
      writer->lineChars += width;
    }
    writer->line += static_cast<char>(c);
  }
}

void writeCodePoint(LineWriter* writer, unsigned long codePoint) {
  char bytes[4];
  size_t length;
  if (codePoint < 0x80) {
    bytes[0] = static_cast<char>(codePoint);
    length = 1;
  } else if (codePoint < 0x800) {
    bytes[0] = static_cast<char>(0xC0 | (codePoint >> 6));
    bytes[1] = static_cast<char>(0x80 | (codePoint & 0x3F));
    length = 2;
  } else if (codePoint < 0x10000) {
    bytes[0] = static_cast<char>(0xE0 | (codePoint >> 12));
    bytes[1] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    bytes[2] = static_cast<char>(0x80 | (codePoint & 0x3F));
    length = 3;
  } else {
    bytes[0] = static_cast<char>(0xF0 | (codePoint >> 18));
    bytes[1] = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    bytes[2] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    bytes[3] = static_cast<char>(0x80 | (codePoint & 0x3F));
    length = 4;
  }
  writeText(writer, bytes, length);
}

void writeBreak(LineWriter* writer) {
  emit(writer, writer->line.data(), writer->line.size());
  writer->line.clear();
  writer->lineChars = 0;
  writer->blankPending = false;
}
