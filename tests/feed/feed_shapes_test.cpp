// The shapes real feeds come in, each through the real fetcher from a file:
// namespaces and versions, Atom's content modes, the Dublin Core, Media RSS,
// iTunes and content modules, XHTML bodies, CDF, upper-case names; and the
// faults feed readers recover from: blanks before the declaration, HTML
// entities the document never declares (in the first, a middle and the last
// item), Latin-1 without a declaration, C1 controls.
#include <gtest/gtest.h>

#include <string>

#include "tests/feed/feed_fixture.h"

namespace {

std::string rssItems(const std::string& rootAttributes, const std::string& items) {
  return "<?xml version=\"1.0\"?>\n<rss version=\"2.0\"" + rootAttributes + "><channel><title>Channel</title>" +
         items + "</channel></rss>\n";
}

std::string atomEntries(const std::string& space, const std::string& entries) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<feed xmlns=\"" + space + "\"><title>Feed</title>" +
         entries + "</feed>\n";
}

const char kModules[] =
    " xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:media=\"http://search.yahoo.com/mrss/\""
    " xmlns:itunes=\"http://www.itunes.com/dtds/podcast-1.0.dtd\""
    " xmlns:content=\"http://purl.org/rss/1.0/modules/content/\" xmlns:xhtml=\"http://www.w3.org/1999/xhtml\"";

const char kAtom03[] = "http://purl.org/atom/ns#";

struct Case {
  const char* name;
  std::string body;
  Lines lines;
};

}  // namespace

TEST_F(FeedFetcher, EveryCommonFeedShapeTypesItsItems) {
  const Case cases[] = {
      {"Userland namespace",
       "<rss version=\"2.0\" xmlns=\"http://backend.userland.com/rss2\"><channel>"
       "<item><title>Userland</title><description>Body</description></item></channel></rss>",
       {"Userland", "Body"}},
      {"upper-case RSS", "<RSS VERSION=\"0.91\"><CHANNEL><ITEM><TITLE>Loud</TITLE><DESCRIPTION>Text</DESCRIPTION>"
       "</ITEM></CHANNEL></RSS>", {"Loud", "Text"}},
      {"Netscape DOCTYPE and its entities",
       "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<!DOCTYPE rss PUBLIC \"-//Netscape Communications//DTD "
       "RSS 0.91//EN\" \"http://my.netscape.com/publish/formats/rss-0.91.dtd\">\n<rss version=\"0.91\"><channel>"
       "<item><title>Caf&eacute; &amp; cr&egrave;me</title></item></channel></rss>",
       {"Caf\xE9 & cr\xE8me"}},
      {"RSS 0.90", "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\" "
       "xmlns=\"http://my.netscape.com/rdf/simple/0.9/\"><item><title>Ninety</title></item></rdf:RDF>", {"Ninety"}},
      {"CDF", "<CHANNEL HREF=\"http://example.org/\"><TITLE>Channel</TITLE><ITEM HREF=\"http://example.org/1\">"
       "<TITLE>Cdf item</TITLE><ABSTRACT>Cdf abstract</ABSTRACT></ITEM></CHANNEL>", {"Cdf item", "Cdf abstract"}},
      {"Dublin Core stands in", rssItems(kModules, "<item><dc:title>Dc title</dc:title>"
       "<dc:description>Dc text</dc:description></item>"), {"Dc title", "Dc text"}},
      {"the item's own title wins", rssItems(kModules, "<item><dc:title>Dc</dc:title><title>Own</title>"
       "<media:title>Media</media:title></item>"), {"Own"}},
      {"Media RSS inside a group", rssItems(kModules, "<item><media:group><media:title>Clip</media:title>"
       "<media:description type=\"html\">&lt;b&gt;Bold&lt;/b&gt; clip</media:description></media:group></item>"),
       {"Clip", "Bold clip"}},
      {"iTunes summary", rssItems(kModules, "<item><title>Episode</title><itunes:summary>Show &lt;notes&gt;"
       "</itunes:summary></item>"), {"Episode", "Show <notes>"}},
      {"content:encoded", rssItems(kModules, "<item><title>T</title><content:encoded><![CDATA[<p>Full</p>]]>"
       "</content:encoded></item>"), {"T", "Full"}},
      {"XHTML body", rssItems(kModules, "<item><title>T</title><xhtml:body><xhtml:p>Para &amp; one</xhtml:p>"
       "<xhtml:p>Two</xhtml:p></xhtml:body></item>"), {"T", "Para & one", "Two"}},
      {"fullitem", rssItems("", "<item><title>T</title><fullitem>&lt;p&gt;Whole&lt;/p&gt;</fullitem></item>"),
       {"T", "Whole"}},
      {"Atom 0.3 escaped and base64",
       atomEntries(kAtom03, "<entry><title>Escaped</title><content type=\"text/html\" mode=\"escaped\">"
                            "&lt;p&gt;Html &amp;amp; text&lt;/p&gt;</content></entry>"
                            "<entry><title>Base64</title><content type=\"text/html\" mode=\"base64\">"
                            "PHA+RXhhbXBsZSA8Yj50ZXN0PC9iPjwvcD4=</content></entry>"
                            "<entry><title mode=\"xml\" type=\"application/xhtml+xml\">"
                            "<div xmlns=\"http://www.w3.org/1999/xhtml\">Xml <b>mode</b></div></title></entry>"),
       {"Escaped", "Html & text", "Base64", "Example test", "Xml mode"}},
      {"Atom 0.3 draft namespace", atomEntries("http://purl.org/atom/ns#draft-ietf-atompub-format-03",
       "<entry><title>Draft</title></entry>"), {"Draft"}},
      {"pre-Atom namespace", atomEntries("http://purl.org/echo/", "<entry><title>Echo</title></entry>"), {"Echo"}},
      {"Atom 1.0 base64 of another type",
       atomEntries("http://www.w3.org/2005/Atom", "<entry><title>Other</title><content type=\"application/"
                   "octet-stream\">SGVsbG8gd29ybGQ=</content></entry>"
                   "<entry><title>Xml</title><content type=\"application/atom+xml\"><x/></content></entry>"),
       {"Other", "Hello world", "Xml"}},
      {"HTML table and list", rssItems("", "<item><title>T</title><description>&lt;table&gt;&lt;tr&gt;&lt;td&gt;"
       "Price&lt;/td&gt;&lt;td&gt;10&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;ul&gt;&lt;li&gt;a&lt;/li&gt;&lt;li&gt;"
       "b&lt;/li&gt;&lt;/ul&gt;</description></item>"), {"T", "Price 10", "a", "b"}},
      {"HTML5 entities, with and without ';'",
       rssItems("", "<item><title>&amp;alpha;&amp;ndash;&amp;beta; &amp;copy 2024 &amp;eacute "
                    "&amp;NotEqualTilde;</title></item>"),
       {"?\x96? \xA9 2024 \xE9 ??"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(fetchLines("feed:" + fileUrl("feed.xml", c.body)), c.lines) << c.name;
  }
}

TEST_F(FeedFetcher, FaultsFeedReadersRecoverFrom) {
  std::string three = "<item><title>First &eacute;t&eacute;</title></item>"
                      "<item><title>Middle&nbsp;&mdash;&hellip;</title></item>"
                      "<item><title>Last &copy; &trade;</title></item>";
  const Case cases[] = {
      {"undeclared entities in the first, middle and last item", rssItems("", three),
       {"First \xE9t\xE9", "Middle\xA0\x97\x85", "Last \xA9 \x99"}},
      {"blanks before the declaration", "\n  \r\n" + rssItems("", "<item><title>Blank start</title></item>"),
       {"Blank start"}},
      {"Latin-1 without a declaration", "<rss><channel><item><title>Caf\xE9 cr\xE8me</title></item>"
       "<item><title>Second</title></item></channel></rss>", {"Caf\xE9 cr\xE8me", "Second"}},
      {"stray bytes in an undeclared UTF-8 feed", "<rss><channel><item><title>caf\xC3\xA9 cr\xC3\xA8me "
       "\x93q\x94</title></item></channel></rss>", {"caf\xE9 cr\xE8me \x93q\x94"}},
      {"invalid bytes in a UTF-8 feed", "<?xml version=\"1.0\" encoding=\"utf-8\"?><rss><channel>"
       "<item><title>na\xC3\xAFve \x93q\x94</title></item><item><title>Next</title></item></channel></rss>",
       {"na\xEFve \x93q\x94", "Next"}},
      {"C1 references and characters as windows-1252", "<rss><channel><item><title>It&#146;s &#x80;5 "
       "\xC2\x93q\xC2\x94</title></item></channel></rss>", {"It\x92s \x80" "5 \x93q\x94"}},
      {"a bare '&' in text and attributes", rssItems("", "<item><title>AT&T</title><link>http://e.org/?a=1&b=2"
       "</link><description><![CDATA[kept &raw;]]></description></item>"), {"AT&T", "kept &raw;"}},
      {"a declared entity is the document's", "<?xml version=\"1.0\"?><!DOCTYPE rss [<!ENTITY eacute \"E!\">]>"
       "<rss><channel><item><title>&eacute;</title></item></channel></rss>", {"E!"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(fetchLines("feed:" + fileUrl("feed.xml", c.body)), c.lines) << c.name;
  }
}
