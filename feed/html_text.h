// HTML reduced to text, for the descriptions of feed items: tags are
// dropped (with what script and style elements hold, and comments), character
// references are decoded, and paragraphs, line breaks, list items, headings,
// table rows and block quotes end the line; table cells are kept apart by a
// blank. Character references are those of HTML5. Whitespace collapses as in any
// running text. Text that is not HTML passes through unchanged.
#ifndef QUILLON_FEED_HTML_TEXT_H
#define QUILLON_FEED_HTML_TEXT_H

#include <stddef.h>

#include "feed/line_writer.h"

// Writes the text of the HTML `html` of `length` bytes (UTF-8) to `writer`.
void writeHtml(LineWriter* writer, const char* html, size_t length);

#endif
