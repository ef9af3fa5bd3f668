// Display lines from running text (see line_writer.h).
#include "feed/line_writer.h"

#include <windows.h>

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

// The character a C1 control (U+0080-U+009F, UTF-8 "\xC2\x80"-"\xC2\x9F")
// means: its byte read as windows-1252, as browsers read it; 0 for the five
// bytes the code page leaves undefined, which stay controls and are dropped.
unsigned long c1Character(unsigned char low) {
  char byte = static_cast<char>(low);
  WCHAR wide = 0;
  if (MultiByteToWideChar(1252, 0, &byte, 1, &wide, 1) != 1 || wide < 0xA0) return 0;
  return wide;
}

}  // namespace

void writeText(LineWriter* writer, const char* text, size_t length) {
  for (size_t i = 0; i < length && !writer->full; i++) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == 0xC2 && i + 1 < length && (static_cast<unsigned char>(text[i + 1]) & 0xE0) == 0x80) {
      unsigned long character = c1Character(static_cast<unsigned char>(text[++i]));
      if (character != 0) writeCodePoint(writer, character);
      continue;
    }
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
  WCHAR units[2];
  int count = 1;
  if (codePoint >= 0x10000) {
    units[0] = static_cast<WCHAR>(0xD800 + ((codePoint - 0x10000) >> 10));
    units[1] = static_cast<WCHAR>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
    count = 2;
  } else {
    units[0] = static_cast<WCHAR>(codePoint);
  }
  char bytes[4];
  int length = WideCharToMultiByte(CP_UTF8, 0, units, count, bytes, sizeof bytes, nullptr, nullptr);
  if (length > 0) writeText(writer, bytes, static_cast<size_t>(length));
}

void writeBreak(LineWriter* writer) {
  emit(writer, writer->line.data(), writer->line.size());
  writer->line.clear();
  writer->lineChars = 0;
  writer->blankPending = false;
}
