// RSS and Atom documents to display text (see feed_document.h).
//
// The document is first made UTF-8 (feed/document_utf8.h) and mended
// (feed/markup_repair.h); expat then parses it whole, in one call, told that
// it is UTF-8 whatever its declaration says: a token as long as the document
// costs one pass, not one per block it spans. Namespace processing is on
// (feed/feed_fields.h names the elements). A field's text is kept, up to
// 1 MiB, until its item ends; then the item's title and its body (its
// content where it has none) are written out as their form says.
//
// Where the document turns malformed after its root, the parse goes on with
// a new parser at the next item after the fault, given the root's start tag
// first so that the namespaces hold again: the items before and after the
// fault are typed, the one it broke is left out.
#include "feed/feed_document.h"

#include <ctype.h>
#include <expat.h>
#include <limits.h>
#include <string.h>
#include <strings.h>

#include "feed/base64_text.h"
#include "feed/document_utf8.h"
#include "feed/feed_fields.h"
#include "feed/html_text.h"
#include "feed/line_writer.h"
#include "feed/markup_repair.h"
#include "feed/utf8_text.h"

namespace {

const size_t kFieldLimit = 1u << 20;
// Entity expansion: expat's protection starts checking after this many bytes
// and then allows at most this amplification of the input.
const unsigned long long kAmplificationThreshold = 1u << 20;
const float kMaxAmplification = 20.0f;
// Resuming after a fault: at most this many times, and only when the root's
// start tag (parsed again each time) is of a sensible size.
const int kMaxResumes = 1000;
const size_t kMaxRootTag = 1u << 16;

struct FeedParse {
  XML_Parser parser = nullptr;
  int depth = 0;
  bool rootSeen = false;
  Root root = kNoFeed;
  size_t rootTagEnd = 0;  // the byte after the root's start tag
  int itemDepth = 0;      // the depth of the open item, 0 outside items
  Field capturing = kNoField;
  int captureDepth = 0;
  std::string fields[kFieldCount];
  FieldChoice choices[kFieldCount];
  bool present[kFieldCount] = {false, false, false};
  LineWriter writer;
};

// Keeps text of the field being read, up to kFieldLimit bytes; a character
// that does not fit whole is left out with the rest.
void keep(FeedParse* parse, const char* text, size_t length) {
  std::string& field = parse->fields[parse->capturing];
  if (length > kFieldLimit - field.size()) {
    length = kFieldLimit - field.size();
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) length--;
  }
  field.append(text, length);
}

void writeField(FeedParse* parse, Field field) {
  std::string decoded;
  const std::string* text = &parse->fields[field];
  if (parse->choices[field].base64) {
    decoded = decodeBase64(text->data(), text->size());
    if (!validUtf8(decoded.data(), decoded.size())) decoded.clear();  // no text
    text = &decoded;
  }
  if (parse->choices[field].form == kText) {
    writeText(&parse->writer, text->data(), text->size());
  } else {
    writeHtml(&parse->writer, text->data(), text->size());
  }
  writeBreak(&parse->writer);
}

void clearItem(FeedParse* parse) {
  for (int field = 0; field < kFieldCount; field++) {
    parse->fields[field].clear();
    parse->present[field] = false;
  }
  parse->itemDepth = 0;
  parse->capturing = kNoField;
}

void endItem(FeedParse* parse) {
  writeField(parse, kTitle);
  writeField(parse, parse->fields[kBody].empty() ? kContent : kBody);
  clearItem(parse);
  if (parse->writer.full) XML_StopParser(parse->parser, XML_FALSE);
}

void XMLCALL startElement(void* data, const XML_Char* qualified, const XML_Char** attributes) {
  FeedParse* parse = static_cast<FeedParse*>(data);
  Name name = splitName(qualified);
  parse->depth++;
  if (!parse->rootSeen) {
    parse->rootSeen = true;
    parse->root = feedRoot(name);
    parse->rootTagEnd = static_cast<size_t>(XML_GetCurrentByteIndex(parse->parser)) +
                        static_cast<size_t>(XML_GetCurrentByteCount(parse->parser));
    if (parse->root == kNoFeed) XML_StopParser(parse->parser, XML_FALSE);
    return;
  }
  if (parse->capturing != kNoField) {
    if (parse->choices[parse->capturing].form == kXhtml) {  // spelled back as HTML
      keep(parse, "<", 1);
      keep(parse, name.local, strlen(name.local));
      keep(parse, ">", 1);
    }
    return;
  }
  if (isItem(name)) {  // an item inside an item: the first one was never closed
    if (parse->itemDepth != 0) endItem(parse);
    parse->itemDepth = parse->depth;
    return;
  }
  if (parse->itemDepth == 0) return;
  FieldChoice choice = fieldOf(name, attributes, parse->root);
  if (choice.field == kNoField || choice.form == kSkipped) return;
  if (parse->depth != parse->itemDepth + 1 && !choice.nested) return;
  if (parse->present[choice.field] && parse->choices[choice.field].rank <= choice.rank) return;
  parse->fields[choice.field].clear();
  parse->present[choice.field] = true;
  parse->choices[choice.field] = choice;
  parse->capturing = choice.field;
  parse->captureDepth = parse->depth;
}

void XMLCALL endElement(void* data, const XML_Char* qualified) {
  FeedParse* parse = static_cast<FeedParse*>(data);
  if (parse->capturing != kNoField) {
    if (parse->depth == parse->captureDepth) {
      parse->capturing = kNoField;
    } else if (parse->choices[parse->capturing].form == kXhtml) {
      const char* local = splitName(qualified).local;
      keep(parse, "</", 2);
      keep(parse, local, strlen(local));
      keep(parse, ">", 1);
    }
  } else if (parse->depth == parse->itemDepth) {
    endItem(parse);
  }
  parse->depth--;
}

void XMLCALL characters(void* data, const XML_Char* text, int length) {
  FeedParse* parse = static_cast<FeedParse*>(data);
  if (parse->capturing == kNoField) return;
  if (parse->choices[parse->capturing].form != kXhtml) {
    keep(parse, text, static_cast<size_t>(length));
    return;
  }
  for (int i = 0; i < length; i++) {  // text of XHTML content: its markup characters escaped
    if (text[i] == '<') {
      keep(parse, "&lt;", 4);
    } else if (text[i] == '&') {
      keep(parse, "&amp;", 5);
    } else {
      keep(parse, text + i, 1);
    }
  }
}

XML_Parser newParser(FeedParse* parse) {
  XML_Parser parser = XML_ParserCreateNS("UTF-8", kNamespaceSeparator);
  if (parser == nullptr) return nullptr;
  XML_SetUserData(parser, parse);
  XML_SetElementHandler(parser, startElement, endElement);
  XML_SetCharacterDataHandler(parser, characters);
  // No external entity is ever read: no handler for them, no parameter entities.
  XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);
  XML_SetBillionLaughsAttackProtectionActivationThreshold(parser, kAmplificationThreshold);
  XML_SetBillionLaughsAttackProtectionMaximumAmplification(parser, kMaxAmplification);
  return parser;
}

bool isNameByte(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return isalnum(u) || c == '_' || c == ':' || c == '.' || c == '-' || u >= 0x80;
}

// The start of the next item's start tag (<item>, <entry>, in any case and
// with any prefix) at or after `from`; `length` when there is none.
size_t nextItem(const char* text, size_t length, size_t from) {
  for (size_t at = from; at < length; at++) {
    if (text[at] != '<') continue;
    size_t end = at + 1;
    while (end < length && isNameByte(text[end])) end++;
    if (end >= length || (text[end] != '>' && text[end] != '/' && !isspace(static_cast<unsigned char>(text[end])))) {
      continue;
    }
    const char* local = static_cast<const char*>(memchr(text + at + 1, ':', end - at - 1));
    local = local != nullptr ? local + 1 : text + at + 1;
    size_t localLength = static_cast<size_t>(text + end - local);
    if ((localLength == 4 && strncasecmp(local, "item", 4) == 0) ||
        (localLength == 5 && strncasecmp(local, "entry", 5) == 0)) {
      return at;
    }
  }
  return length;
}

// Parses text[0..length) in one call, then again from the item after each
// fault; returns false when no parser could be made.
bool parseAll(FeedParse* parse, const char* text, size_t length) {
  size_t resumeAt = 0;  // where the current parser's text follows the root tag
  for (int resumes = 0;; resumes++) {
    parse->parser = newParser(parse);
    if (parse->parser == nullptr) return false;
    XML_Status status;
    size_t prefix = 0;
    if (resumeAt == 0) {
      status = XML_Parse(parse->parser, text, static_cast<int>(length), XML_TRUE);
    } else {
      prefix = parse->rootTagEnd;
      status = XML_Parse(parse->parser, text, static_cast<int>(prefix), XML_FALSE);
      if (status == XML_STATUS_OK) {
        status = XML_Parse(parse->parser, text + resumeAt, static_cast<int>(length - resumeAt), XML_TRUE);
      }
    }
    bool faulted = status != XML_STATUS_OK && XML_GetErrorCode(parse->parser) != XML_ERROR_ABORTED;
    size_t fault = static_cast<size_t>(XML_GetCurrentByteIndex(parse->parser));
    XML_ParserFree(parse->parser);
    parse->parser = nullptr;
    if (!faulted || parse->root == kNoFeed || parse->rootTagEnd > kMaxRootTag || resumes >= kMaxResumes ||
        fault < prefix) {
      return true;
    }
    size_t faultAt = resumeAt == 0 ? fault : fault - prefix + resumeAt;
    resumeAt = nextItem(text, length, faultAt + 1);
    if (resumeAt >= length) return true;
    clearItem(parse);
    parse->depth = 0;
    parse->rootSeen = false;
  }
}

}  // namespace

bool feedDocumentText(const char* document, size_t length, const char* contentType, size_t limit,
                      std::string* text) {
  std::string converted;
  const char* utf8 = nullptr;
  size_t utf8Length = 0;
  documentUtf8(document, length, contentType, &converted, &utf8, &utf8Length);
  std::string repaired;
  if (repairMarkup(utf8, utf8Length, &repaired)) {
    converted.clear();
    converted.shrink_to_fit();
    utf8 = repaired.data();
    utf8Length = repaired.size();
  }
  if (utf8Length > static_cast<size_t>(INT_MAX)) return false;

  FeedParse parse;
  parse.writer.outLimit = limit;
  if (!parseAll(&parse, utf8, utf8Length) || parse.root == kNoFeed) return false;
  writeBreak(&parse.writer);  // an item the document broke off in is left out
  text->swap(parse.writer.out);
  return true;
}
