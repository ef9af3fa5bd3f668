// Base64 (RFC 4648), as Atom carries content of other media types and Atom
// 0.3 content of mode "base64": whitespace between the characters is
// ignored; decoding stops at the padding or at the first other character.
#ifndef QUILLON_FEED_BASE64_TEXT_H
#define QUILLON_FEED_BASE64_TEXT_H

#include <stddef.h>

#include <string>

// The bytes `text` of `length` characters encodes.
std::string decodeBase64(const char* text, size_t length);

#endif
