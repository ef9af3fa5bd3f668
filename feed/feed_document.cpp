// RSS and Atom documents to display text (see feed_document.h).
//
// expat parses with namespace processing: an element name arrives as
// "namespace-URI\x01local-name". Items are <item> (RSS) or <entry> (Atom);
// their fields are their direct children <title>, <description>/<summary>
// and <content>/<content:encoded>, in the feed's own namespace (none for
// RSS 0.9x/2.0). A field's text is kept, up to 1 MiB, until its item ends;
// then it is written out: RSS fields and Atom fields of type "html" as HTML,
// Atom "text" fields as text, Atom "xhtml" fields as the HTML their child
// elements spell. The document is fed to expat in blocks, so that a long
// text never has to sit whole in expat's buffer.
#include "feed/feed_document.h"

#include <expat.h>
#include <string.h>
#include <strings.h>
#include <windows.h>

#include "feed/html_text.h"
#include "feed/line_writer.h"

namespace {

const char kNamespaceSeparator = '\x01';
const size_t kFieldLimit = 1u << 20;
const size_t kParseBlock = 1u << 16;
// Entity expansion: expat's protection starts checking after this many bytes
// and then allows at most this amplification of the input.
const unsigned long long kAmplificationThreshold = 1u << 20;
const float kMaxAmplification = 20.0f;

const char* const kFeedNamespaces[] = {
    "",                                          // RSS 0.91, 0.92, 2.0
    "http://purl.org/rss/1.0/",                  // RSS 1.0
    "http://my.netscape.com/rdf/simple/0.9/",    // RSS 0.90
    "http://www.w3.org/2005/Atom",               // Atom 1.0
    "http://purl.org/atom/ns#",                  // Atom 0.3
};
const char kRdfNamespace[] = "http://www.w3.org/1999/02/22-rdf-syntax-ns#";
const char kContentModule[] = "http://purl.org/rss/1.0/modules/content/";

enum Field { kNoField = -1, kTitle = 0, kBody = 1, kContent = 2, kFieldCount = 3 };
enum Form { kHtml, kText, kXhtml, kSkipped };

struct Name {
  const char* space;  // the namespace URI, "" when none
  size_t spaceLength;
  const char* local;
};

Name splitName(const char* name) {
  const char* separator = strchr(name, kNamespaceSeparator);
  if (separator == nullptr) return Name{"", 0, name};
  return Name{name, static_cast<size_t>(separator - name), separator + 1};
}

bool inSpace(const Name& name, const char* space) {
  return name.spaceLength == strlen(space) && strncmp(name.space, space, name.spaceLength) == 0;
}

bool isFeedElement(const Name& name, const char* local) {
  if (strcmp(name.local, local) != 0) return false;
  for (const char* space : kFeedNamespaces) {
    if (inSpace(name, space)) return true;
  }
  return false;
}

struct FeedParse {
  XML_Parser parser = nullptr;
  int depth = 0;
  bool rootSeen = false;
  bool isFeed = false;
  bool atom = false;
  int itemDepth = 0;  // the depth of the open item, 0 outside items
  Field capturing = kNoField;
  int captureDepth = 0;
  std::string fields[kFieldCount];
  Form forms[kFieldCount] = {kHtml, kHtml, kHtml};
  LineWriter writer;
};

const char* attribute(const XML_Char** attributes, const char* name) {
  for (int i = 0; attributes[i] != nullptr; i += 2) {
    if (strcmp(attributes[i], name) == 0) return attributes[i + 1];
  }
  return nullptr;
}

// How a field is written: RSS fields are HTML; an Atom field says so in its
// type attribute (text when it has none), and one with a src attribute or a
// type of no text is skipped.
Form formOf(const FeedParse* parse, const XML_Char** attributes) {
  if (!parse->atom) return kHtml;
  if (attribute(attributes, "src") != nullptr) return kSkipped;
  const char* type = attribute(attributes, "type");
  if (type == nullptr || strcasecmp(type, "text") == 0 || strcasecmp(type, "text/plain") == 0) return kText;
  if (strcasecmp(type, "html") == 0 || strcasecmp(type, "text/html") == 0) return kHtml;
  if (strcasecmp(type, "xhtml") == 0 || strcasecmp(type, "application/xhtml+xml") == 0) return kXhtml;
  return strncasecmp(type, "text/", 5) == 0 ? kText : kSkipped;
}

Field fieldOf(const Name& name) {
  if (isFeedElement(name, "title")) return kTitle;
  if (isFeedElement(name, "description") || isFeedElement(name, "summary")) return kBody;
  if (isFeedElement(name, "content") || (inSpace(name, kContentModule) && strcmp(name.local, "encoded") == 0)) {
    return kContent;
  }
  return kNoField;
}

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
  const std::string& text = parse->fields[field];
  if (parse->forms[field] == kText) {
    writeText(&parse->writer, text.data(), text.size());
  } else {
    writeHtml(&parse->writer, text.data(), text.size());
  }
  writeBreak(&parse->writer);
}

void endItem(FeedParse* parse) {
  writeField(parse, kTitle);
  writeField(parse, parse->fields[kBody].empty() ? kContent : kBody);
  for (std::string& field : parse->fields) field.clear();
  parse->itemDepth = 0;
  parse->capturing = kNoField;
  if (parse->writer.full) XML_StopParser(parse->parser, XML_FALSE);
}

void XMLCALL startElement(void* data, const XML_Char* qualified, const XML_Char** attributes) {
  FeedParse* parse = static_cast<FeedParse*>(data);
  Name name = splitName(qualified);
  parse->depth++;
  if (!parse->rootSeen) {
    parse->rootSeen = true;
    parse->atom = isFeedElement(name, "feed");
    parse->isFeed = parse->atom || isFeedElement(name, "rss") ||
                    (inSpace(name, kRdfNamespace) && strcmp(name.local, "RDF") == 0);
    if (!parse->isFeed) XML_StopParser(parse->parser, XML_FALSE);
    return;
  }
  if (parse->capturing != kNoField) {
    if (parse->forms[parse->capturing] == kXhtml) {  // spelled back as HTML
      keep(parse, "<", 1);
      keep(parse, name.local, strlen(name.local));
      keep(parse, ">", 1);
    }
    return;
  }
  if (parse->itemDepth == 0) {
    if (isFeedElement(name, "item") || isFeedElement(name, "entry")) parse->itemDepth = parse->depth;
    return;
  }
  if (parse->depth != parse->itemDepth + 1) return;
  Field field = fieldOf(name);
  if (field == kNoField || !parse->fields[field].empty()) return;
  parse->forms[field] = formOf(parse, attributes);
  if (parse->forms[field] == kSkipped) return;
  parse->capturing = field;
  parse->captureDepth = parse->depth;
}

void XMLCALL endElement(void* data, const XML_Char* qualified) {
  FeedParse* parse = static_cast<FeedParse*>(data);
  if (parse->capturing != kNoField) {
    if (parse->depth == parse->captureDepth) {
      parse->capturing = kNoField;
    } else if (parse->forms[parse->capturing] == kXhtml) {
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
  if (parse->forms[parse->capturing] != kXhtml) {
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

// Documents in Windows-1252, which expat does not know by itself.
int XMLCALL unknownEncoding(void* /*data*/, const XML_Char* name, XML_Encoding* info) {
  if (strcasecmp(name, "windows-1252") != 0 && strcasecmp(name, "cp1252") != 0) return XML_STATUS_ERROR;
  for (int byte = 0; byte < 256; byte++) {
    char c = static_cast<char>(byte);
    WCHAR wide = 0;
    info->map[byte] = MultiByteToWideChar(1252, 0, &c, 1, &wide, 1) == 1 ? wide : byte;
  }
  info->data = nullptr;
  info->convert = nullptr;
  info->release = nullptr;
  return XML_STATUS_OK;
}

}  // namespace

bool feedDocumentText(const char* document, size_t length, size_t limit, std::string* text) {
  FeedParse parse;
  parse.writer.outLimit = limit;
  parse.parser = XML_ParserCreateNS(nullptr, kNamespaceSeparator);
  if (parse.parser == nullptr) return false;
  XML_SetUserData(parse.parser, &parse);
  XML_SetElementHandler(parse.parser, startElement, endElement);
  XML_SetCharacterDataHandler(parse.parser, characters);
  XML_SetUnknownEncodingHandler(parse.parser, unknownEncoding, nullptr);
  // No external entity is ever read: no handler for them, no parameter entities.
  XML_SetParamEntityParsing(parse.parser, XML_PARAM_ENTITY_PARSING_NEVER);
  XML_SetBillionLaughsAttackProtectionActivationThreshold(parse.parser, kAmplificationThreshold);
  XML_SetBillionLaughsAttackProtectionMaximumAmplification(parse.parser, kMaxAmplification);

  for (size_t done = 0; done < length;) {
    size_t block = length - done < kParseBlock ? length - done : kParseBlock;
    bool last = done + block == length;
    if (XML_Parse(parse.parser, document + done, static_cast<int>(block), last) != XML_STATUS_OK) break;
    done += block;
  }
  XML_ParserFree(parse.parser);
  if (!parse.isFeed) return false;
  writeBreak(&parse.writer);  // an item the document broke off in is left out
  text->swap(parse.writer.out);
  return true;
}
