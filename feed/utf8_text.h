// UTF-8 documents: a document that is valid UTF-8 and holds at least one
// multi-byte sequence, or that starts with a UTF-8 byte-order mark, is
// converted to the ANSI code page the display draws with, through
// MultiByteToWideChar(CP_UTF8) and WideCharToMultiByte(CP_ACP) with best-fit
// characters; characters the code page lacks become '?'. Any other document
// is left exactly as it is.
#ifndef QUILLON_FEED_UTF8_TEXT_H
#define QUILLON_FEED_UTF8_TEXT_H

#include <stddef.h>

// The length of the well-formed UTF-8 sequence at text[0..left) (1 for an
// ASCII byte); 0 when it is not well formed (overlong, a surrogate, past
// U+10FFFF, cut, or a stray byte).
size_t utf8SequenceLength(const char* text, size_t left);

// True when all `length` bytes are well-formed UTF-8.
bool validUtf8(const char* text, size_t length);

// Converts the text of `length` bytes (no zero byte inside, zero-terminated)
// in place, the byte-order mark dropped; returns its new length, which is
// never more than the old one.
size_t convertUtf8Text(char* text, size_t length);

#endif
