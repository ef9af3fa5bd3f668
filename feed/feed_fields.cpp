// Which elements of a feed make what is typed (see feed_fields.h).
#include "feed/feed_fields.h"

#include <string.h>
#include <strings.h>

namespace {

// The namespaces of RSS and Atom elements, none for RSS 0.9x/2.0 and CDF.
const char* const kFeedNamespaces[] = {
    "",
    "http://backend.userland.com/rss2",          // RSS 2.0, Userland's
    "http://backend.userland.com/rss",
    "http://blogs.law.harvard.edu/tech/rss",
    "http://purl.org/rss/1.0/",                  // RSS 1.0
    "http://my.netscape.com/rdf/simple/0.9/",    // RSS 0.90
    "http://purl.org/net/rss1.1#",               // RSS 1.1
    "http://www.w3.org/2005/Atom",               // Atom 1.0
    "http://purl.org/atom/ns#",                  // Atom 0.3 and its drafts
    "http://example.com/newformat#",             // the drafts before Atom had its name
    "http://example.com/necho",
    "http://purl.org/echo/",
    "uri/of/echo/namespace#",
    "http://purl.org/pie/",
};
const char kRdfNamespace[] = "http://www.w3.org/1999/02/22-rdf-syntax-ns#";
const char kContentModule[] = "http://purl.org/rss/1.0/modules/content/";
const char kDublinCore[] = "http://purl.org/dc/elements/1.1/";
const char kMediaRss[] = "http://search.yahoo.com/mrss/";
const char kMediaRssOld[] = "http://search.yahoo.com/mrss";
const char kItunes[] = "http://www.itunes.com/dtds/podcast-1.0.dtd";
const char kXhtmlNamespace[] = "http://www.w3.org/1999/xhtml";

bool inSpace(const Name& name, const char* space) {
  return strncmp(name.space, space, name.spaceLength) == 0 && space[name.spaceLength] == 0;
}

// An element of `local` name (any case) in a feed namespace; Atom 0.3's
// draft namespaces all start with its URI.
bool isFeedElement(const Name& name, const char* local) {
  if (strcasecmp(name.local, local) != 0) return false;
  for (const char* space : kFeedNamespaces) {
    if (inSpace(name, space)) return true;
  }
  size_t atom03 = strlen("http://purl.org/atom/ns#");
  return name.spaceLength > atom03 && strncmp(name.space, "http://purl.org/atom/ns#", atom03) == 0;
}

bool isNamed(const Name& name, const char* space, const char* local) {
  return inSpace(name, space) && strcmp(name.local, local) == 0;
}

const char* attribute(const char** attributes, const char* name) {
  for (int i = 0; attributes[i] != nullptr; i += 2) {
    if (strcmp(attributes[i], name) == 0) return attributes[i + 1];
  }
  return nullptr;
}

bool hasSuffix(const char* text, const char* suffix) {
  size_t length = strlen(text), n = strlen(suffix);
  return length >= n && strcasecmp(text + length - n, suffix) == 0;
}

// An Atom field says how it is written in its type attribute (text when it
// has none) and, in Atom 0.3, its mode; one with a src attribute, of an XML
// type or of a mode not known is skipped. Atom 1.0 content of any other
// media type is base64.
FieldChoice atomField(Field field, const char** attributes) {
  FieldChoice choice;
  choice.field = field;
  if (attribute(attributes, "src") != nullptr) {
    choice.form = kSkipped;
    return choice;
  }
  const char* type = attribute(attributes, "type");
  const char* mode = attribute(attributes, "mode");
  bool html = type != nullptr && (strcasecmp(type, "html") == 0 || strcasecmp(type, "text/html") == 0);
  bool xhtml = type != nullptr && (strcasecmp(type, "xhtml") == 0 || strcasecmp(type, "application/xhtml+xml") == 0);
  bool text = type == nullptr || strcasecmp(type, "text") == 0 || strncasecmp(type, "text/", 5) == 0;
  if (mode != nullptr && strcasecmp(mode, "base64") == 0) {
    choice.base64 = true;
    choice.form = html ? kHtml : kText;
  } else if (mode != nullptr && strcasecmp(mode, "escaped") == 0) {
    choice.form = html ? kHtml : kText;
  } else if (mode != nullptr && strcasecmp(mode, "xml") != 0) {
    choice.form = kSkipped;
  } else if (html) {
    choice.form = kHtml;
  } else if (xhtml) {
    choice.form = kXhtml;
  } else if (text) {
    choice.form = kText;
  } else if (hasSuffix(type, "+xml") || hasSuffix(type, "/xml")) {
    choice.form = kSkipped;
  } else {
    choice.base64 = true;
    choice.form = kText;
  }
  return choice;
}

FieldChoice moduleField(Field field, int rank, Form form) {
  FieldChoice choice;
  choice.field = field;
  choice.rank = rank;
  choice.form = form;
  choice.nested = true;
  return choice;
}

// Media RSS says in its type attribute whether a title or description is
// HTML ("html") or plain text (the default).
Form mediaForm(const char** attributes) {
  const char* type = attribute(attributes, "type");
  return type != nullptr && strcasecmp(type, "html") == 0 ? kHtml : kText;
}

}  // namespace

Name splitName(const char* name) {
  const char* separator = strchr(name, kNamespaceSeparator);
  if (separator == nullptr) return Name{"", 0, name};
  return Name{name, static_cast<size_t>(separator - name), separator + 1};
}

Root feedRoot(const Name& name) {
  if (isFeedElement(name, "feed")) return kAtomRoot;
  if (isFeedElement(name, "rss") || isFeedElement(name, "channel") || isNamed(name, kRdfNamespace, "RDF")) {
    return kRssRoot;
  }
  return kNoFeed;
}

bool isItem(const Name& name) { return isFeedElement(name, "item") || isFeedElement(name, "entry"); }

FieldChoice fieldOf(const Name& name, const char** attributes, Root root) {
  bool atom = root == kAtomRoot;
  if (isFeedElement(name, "title")) {
    if (atom) return atomField(kTitle, attributes);
    return FieldChoice{kTitle, 0, kHtml, false, false};
  }
  if (isFeedElement(name, "description") || isFeedElement(name, "summary") || isFeedElement(name, "abstract")) {
    if (atom) return atomField(kBody, attributes);
    return FieldChoice{kBody, 0, kHtml, false, false};
  }
  if (isFeedElement(name, "content")) {
    if (atom) return atomField(kContent, attributes);
    return FieldChoice{kContent, 0, kHtml, false, false};
  }
  if (isNamed(name, kContentModule, "encoded") || isFeedElement(name, "fullitem")) {
    return FieldChoice{kContent, 1, kHtml, false, false};
  }
  if (strcmp(name.local, "body") == 0 && (inSpace(name, kXhtmlNamespace) || name.spaceLength == 0)) {
    return FieldChoice{kContent, 2, kXhtml, false, false};
  }
  if (isNamed(name, kDublinCore, "title")) return moduleField(kTitle, 1, kHtml);
  if (isNamed(name, kDublinCore, "description")) return moduleField(kBody, 1, kHtml);
  bool media = inSpace(name, kMediaRss) || inSpace(name, kMediaRssOld);
  if (media && strcmp(name.local, "title") == 0) return moduleField(kTitle, 2, mediaForm(attributes));
  if (media && strcmp(name.local, "description") == 0) return moduleField(kBody, 2, mediaForm(attributes));
  if (isNamed(name, kItunes, "summary")) return moduleField(kBody, 3, kText);
  if (isNamed(name, kItunes, "subtitle")) return moduleField(kBody, 4, kText);
  return FieldChoice{};
}
