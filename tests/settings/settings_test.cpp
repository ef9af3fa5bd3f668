// The settings store against real INI files in a temporary Windows directory.
#include <string>
#include <vector>

#include "tests/settings/settings_fixture.h"

using Urls = std::vector<std::string>;

TEST_F(SettingsFile, DefaultsWithoutAFile) {
  loadSettings();
  EXPECT_EQ(settings.lineScrollDelay, 500);
  EXPECT_EQ(settings.typeDelay, 50);
  EXPECT_EQ(settings.bgColor, 0x000000);
  EXPECT_EQ(settings.fgColor, 0x00FF00);
  EXPECT_EQ(settings.indent, 0);
  EXPECT_STREQ(settings.fontName, "Courier New");
  EXPECT_EQ(settings.fontSize, 30);
  EXPECT_EQ(settings.fetchTimeout, 5);
  EXPECT_STREQ(settings.password, "");
  EXPECT_EQ(currentUrls(), Urls{defaultUrl});
  EXPECT_NE(std::string(defaultUrl).find("http://"), std::string::npos);
  EXPECT_NE(std::string(defaultUrl).find("/cgi-bin/SearchTicker"), std::string::npos);
  EXPECT_FALSE(fileExists(iniPath()));  // loading never writes
}

TEST_F(SettingsFile, SavingDefaultsWritesElevenKeysInSaveOrder) {
  loadSettings();
  saveSettings();
  EXPECT_EQ(readIni(),
            "[settings]\n"
            "line scroll delay=500\n"
            "type delay=50\n"
            "bgcolor=000000\n"
            "fgcolor=00FF00\n"
            "indent=0\n"
            "font name=Courier New\n"
            "font size=30\n"
            "fetch timeout=5\n"
            "url count=1\n"
            "password=\n"
            "url0=" + std::string(defaultUrl) + "\n");
  EXPECT_EQ(currentUrls(), Urls{defaultUrl});  // the save's rotation keeps the list
}

TEST_F(SettingsFile, UrlListSkipsMissingAndEmptyEntries) {
  writeIni("[settings]\nurl count=4\nurl0=http://a/\nurl2=http://c/\nurl1=\nurl3=  \n");
  loadSettings();
  EXPECT_EQ(currentUrls(), (Urls{"http://a/", "http://c/"}));
}

// A count far beyond the keys that are there reads only as far as the
// highest "url%d" key: a count of 2^31 - 1 loads at once. Keys that "url%d"
// never names (url07, url-1, urlx) are not URLs.
TEST_F(SettingsFile, HugeCountReadsOnlyTheUrlKeysThatAreThere) {
  writeIni("[settings]\nurl count=2147483647\nurl0=http://a/\nURL12=http://m/\n"
           "url07=http://x/\nurl-1=http://y/\nurlx=http://z/\nurl5=http://f/\n"
           "url99999999999=http://w/\n");
  loadSettings();
  EXPECT_EQ(currentUrls(), (Urls{"http://a/", "http://f/", "http://m/"}));
  writeIni("[settings]\nurl count=6\nurl0=http://a/\nURL12=http://m/\nurl5=http://f/\n");
  loadSettings();
  EXPECT_EQ(currentUrls(), (Urls{"http://a/", "http://f/"}));
}

TEST_F(SettingsFile, NonPositiveOrMissingCountGivesTheDefaultUrl) {
  for (const char* count : {"url count=0\n", "url count=-3\n", "", "url count=abc\n"}) {
    writeIni(std::string("[settings]\n") + count + "url0=http://a/\nurl1=http://b/\n");
    loadSettings();
    EXPECT_EQ(currentUrls(), Urls{defaultUrl}) << count;
  }
}

TEST_F(SettingsFile, SurplusUrlKeysStayAndAreIgnored) {
  writeIni("[settings]\nurl count=3\nurl0=http://a/\nurl1=http://b/\nurl2=http://c/\n");
  loadSettings();
  char buf[512];
  settings.urlList.popFront(buf, 511);  // drop http://a/
  saveSettings();
  std::string ini = readIni();
  EXPECT_NE(ini.find("url count=2\n"), std::string::npos);
  EXPECT_NE(ini.find("url0=http://b/\n"), std::string::npos);
  EXPECT_NE(ini.find("url1=http://c/\n"), std::string::npos);
  EXPECT_NE(ini.find("url2=http://c/\n"), std::string::npos);  // left as it was
  loadSettings();
  EXPECT_EQ(currentUrls(), (Urls{"http://b/", "http://c/"}));
}

TEST_F(SettingsFile, ColoursParseAsHexAndSaveAsSixUpperDigits) {
  struct Case {
    const char* text;
    int32_t value;
    const char* saved;
  } cases[] = {
      {"FF", 0xFF, "0000FF"},          {"0x00ff00", 0x00FF00, "00FF00"},
      {" 12abcd", 0x12ABCD, "12ABCD"}, {"zz", 0, "000000"},
      {"ff0000junk", 0xFF0000, "FF0000"}, {"-1", -1, "FFFFFFFF"},
      // Beyond a 32-bit long, strtol saturates, as on Windows.
      {"FFFFFFFF", INT32_MAX, "7FFFFFFF"}, {"FFFFFFFFFF", INT32_MAX, "7FFFFFFF"},
      {"-80000000", INT32_MIN, "80000000"}, {"-FFFFFFFFFF", INT32_MIN, "80000000"},
  };
  for (const Case& c : cases) {
    writeIni(std::string("[settings]\nbgcolor=") + c.text + "\nfgcolor=" + c.text + "\n");
    loadSettings();
    EXPECT_EQ(settings.bgColor, c.value) << c.text;
    EXPECT_EQ(settings.fgColor, c.value) << c.text;
    saveSettings();
    std::string ini = readIni();
    EXPECT_NE(ini.find(std::string("bgcolor=") + c.saved + "\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find(std::string("fgcolor=") + c.saved + "\n"), std::string::npos) << ini;
  }
}

TEST_F(SettingsFile, NumbersAreUsedUnchecked) {
  writeIni("[settings]\ntype delay=-5\nline scroll delay=0\nindent=-5000\nfont size=2000\n"
           "fetch timeout=0\n");
  loadSettings();
  EXPECT_EQ(settings.typeDelay, -5);
  EXPECT_EQ(settings.lineScrollDelay, 0);
  EXPECT_EQ(settings.indent, -5000);
  EXPECT_EQ(settings.fontSize, 2000);
  EXPECT_EQ(settings.fetchTimeout, 0);
}

TEST_F(SettingsFile, LongTextsAreCut) {
  std::string font(60, 'f');
  std::string url = "http://x/" + std::string(591, 'u');  // 600 characters
  writeIni("[settings]\nfont name=" + font + "\nurl count=1\nurl0=" + url + "\n");
  loadSettings();
  EXPECT_EQ(std::string(settings.fontName), font.substr(0, 48));
  EXPECT_EQ(currentUrls(), Urls{url.substr(0, 510)});
}

TEST_F(SettingsFile, PasswordOf48LettersAndDigitsRoundTrips) {
  loadSettings();
  const char* password = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRS789";
  ASSERT_EQ(strlen(password), 48u);
  strcpy(settings.password, password);
  saveSettings();
  EXPECT_STREQ(settings.password, password);  // saving leaves it plain in memory
  EXPECT_EQ(readIni().find(password), std::string::npos);  // stored scrambled
  memset(settings.password, 0, sizeof settings.password);
  loadSettings();
  EXPECT_STREQ(settings.password, password);
}

TEST_F(SettingsFile, PasswordsThatScrambleToBlanksOrQuotesAtTheEndsRoundTrip) {
  // Every typable character at the first and at the last position, so that
  // every character that scrambles into a blank or a quotation mark there
  // is met.
  loadSettings();
  std::string failures;
  for (int c = 0x20; c <= 0xFF; c++) {
    if (c == 0x7F) continue;
    std::string password = std::string(1, static_cast<char>(c)) + "middle" +
                           std::string(1, static_cast<char>(c)) + static_cast<char>(c);
    strcpy(settings.password, password.c_str());
    saveSettings();
    memset(settings.password, 0, sizeof settings.password);
    loadSettings();
    if (password != settings.password) failures += std::to_string(c) + " ";
  }
  EXPECT_EQ(failures, "");
}

TEST_F(SettingsFile, HandEditedFileKeepsEverythingElse) {
  std::string before =
      "; Quillon settings, edited by hand\r\n"
      "[other]\r\n"
      "type delay=7\r\n"
      "\r\n"
      "[Settings]\r\n"
      "  Type Delay  =  120  \r\n"
      "; a comment inside the section\r\n"
      "unknown key=kept as it is\r\n"
      "font name = \"Liberation Mono\"\r\n"
      "\r\n"
      "[trailing]\r\n"
      "x=1\r\n";
  writeIni(before);
  loadSettings();
  EXPECT_EQ(settings.typeDelay, 120);
  EXPECT_STREQ(settings.fontName, "Liberation Mono");
  saveSettings();
  std::string after = readIni();
  EXPECT_EQ(after,
            "; Quillon settings, edited by hand\r\n"
            "[other]\r\n"
            "type delay=7\r\n"
            "\r\n"
            "[Settings]\r\n"
            "Type Delay=120\r\n"
            "; a comment inside the section\r\n"
            "unknown key=kept as it is\r\n"
            "font name=Liberation Mono\r\n"
            "line scroll delay=500\r\n"
            "bgcolor=000000\r\n"
            "fgcolor=00FF00\r\n"
            "indent=0\r\n"
            "font size=30\r\n"
            "fetch timeout=5\r\n"
            "url count=1\r\n"
            "password=\r\n"
            "url0=" + std::string(defaultUrl) + "\r\n"
            "\r\n"
            "[trailing]\r\n"
            "x=1\r\n");
}

TEST_F(SettingsFile, WindowsDirectoryLongerThanTheBufferStillWorks) {
  std::string longDir = dir_.path() + "/" + std::string(230, 'd');
  ScopedEnv env("QUILLON_WINDOWS_DIR", longDir);
  loadSettings();
  settings.typeDelay = 77;
  saveSettings();
  EXPECT_TRUE(fileExists(longDir + "/quillonscr.ini"));
  settings.typeDelay = 0;
  loadSettings();
  EXPECT_EQ(settings.typeDelay, 77);
}

// saveSettings says whether the file holds the record: false when the
// Windows directory cannot be made (it would lie under a plain file), and
// the URL list keeps its order either way.
TEST_F(SettingsFile, SaveReportsWhetherTheFileWasWritten) {
  struct Case {
    const char* name;
    bool blocked;
  };
  const Case cases[] = {{"a writable folder", false}, {"a folder under a plain file", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir other;
    std::string blocker = other.write("blocker", "plain\n");
    ScopedEnv windowsDir("QUILLON_WINDOWS_DIR", c.blocked ? blocker + "/windows" : other.path());
    loadSettings();
    settings.urlList.clear();
    settings.urlList.append("http://a/");
    settings.urlList.append("http://b/");
    EXPECT_EQ(saveSettings(), !c.blocked);
    EXPECT_EQ(currentUrls(), (Urls{"http://a/", "http://b/"}));
    EXPECT_EQ(fileExists(other.file("quillonscr.ini")), !c.blocked);
    EXPECT_EQ(readFile(blocker), "plain\n");
  }
}
