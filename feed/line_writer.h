// Display lines from running UTF-8 text: whitespace runs collapse to one
// blank, a break ends the line, empty lines are dropped, and a line that
// would pass 255 characters is wrapped at its last blank (cut where it has
// none), so that nothing is lost to the 256-byte current line. A character
// outside the Basic Multilingual Plane counts as two, as it may become two
// characters of the ANSI code page. A C1 control character is read as the
// windows-1252 character of its byte, as browsers and feed readers do.
#ifndef QUILLON_FEED_LINE_WRITER_H
#define QUILLON_FEED_LINE_WRITER_H

#include <stddef.h>

#include <string>

const int maxLineChars = 255;

struct LineWriter {
  std::string out;      // the finished lines, each followed by '\n'
  size_t outLimit = 0;  // past this many bytes of `out`, writing stops
  bool full = false;    // outLimit was reached
  std::string line;     // the line being written, without leading blanks
  int lineChars = 0;    // its characters, as counted above
  bool blankPending = false;
};

// Appends text; whitespace (blank, tab, CR, LF, FF, VT) only separates words.
void writeText(LineWriter* writer, const char* text, size_t length);
// Appends one character given by its code point.
void writeCodePoint(LineWriter* writer, unsigned long codePoint);
// Ends the current line, if it holds anything.
void writeBreak(LineWriter* writer);

#endif
