// Which elements of a feed make what is typed, in the namespaces and shapes
// feeds use: the root that marks a feed (RSS 0.9x/2.0 with or without the
// Userland namespace, RSS 0.90/1.0/1.1, Atom 0.3/1.0 and its earlier
// drafts, CDF), its items, and each item's fields: its title, its body
// (description, summary, CDF's abstract) and its content (Atom content,
// content:encoded, an XHTML body, fullitem), with the Dublin Core, Media RSS
// and iTunes elements as stand-ins where the item has no field of its own.
// Names in a feed namespace match in any case (<TITLE>, <Item>).
#ifndef QUILLON_FEED_FEED_FIELDS_H
#define QUILLON_FEED_FEED_FIELDS_H

#include <stddef.h>

enum Field { kNoField = -1, kTitle = 0, kBody = 1, kContent = 2, kFieldCount = 3 };

// How a field's text is written: as HTML, as plain text, as the HTML that an
// XHTML field's child elements spell, or not at all.
enum Form { kHtml, kText, kXhtml, kSkipped };

// An element name as expat gives it with namespace processing,
// "namespace-URI\x01local-name", split.
struct Name {
  const char* space;  // the namespace URI, "" when none
  size_t spaceLength;
  const char* local;
};

const char kNamespaceSeparator = '\x01';

Name splitName(const char* name);

enum Root { kNoFeed, kRssRoot, kAtomRoot };

// What a document's root element makes of it.
Root feedRoot(const Name& name);

// An item (<item>, <entry>, CDF's <ITEM>).
bool isItem(const Name& name);

struct FieldChoice {
  Field field = kNoField;
  int rank = 0;          // of two elements for one field, the lower rank wins
  Form form = kHtml;
  bool base64 = false;   // the text is base64 of the form's text
  bool nested = false;   // counts anywhere inside the item, not only as its child
};

// The field the element `name` with `attributes` (expat's name/value list)
// gives in an item of a feed with root `root`.
FieldChoice fieldOf(const Name& name, const char** attributes, Root root);

#endif
