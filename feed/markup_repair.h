// The common faults of real feeds mended before the XML parser sees them, so
// that one fault does not end the document: blanks and control characters
// before the XML declaration are dropped; an HTML entity the document does not declare
// (&eacute;, &nbsp;, also a legacy one without its ';') becomes a numeric
// reference, an unknown one and a bare '&' become text ("&amp;"); a numeric
// reference to a character XML forbids becomes U+FFFD; a '<' that starts no
// markup, in text or in an attribute value, becomes "&lt;"; control
// characters XML forbids become blanks. Comments, CDATA sections, processing
// instructions and the DOCTYPE are kept as they are (control characters
// aside); entities the DOCTYPE declares are left to the parser.
#ifndef QUILLON_FEED_MARKUP_REPAIR_H
#define QUILLON_FEED_MARKUP_REPAIR_H

#include <stddef.h>

#include <string>

// Writes the mended UTF-8 `text` of `length` bytes to *repaired and returns
// true, or returns false (leaving *repaired alone) when nothing needed it.
bool repairMarkup(const char* text, size_t length, std::string* repaired);

#endif
