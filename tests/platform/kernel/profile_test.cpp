// The private-profile functions as Win32 defines them: lookups without regard
// to case, values trimmed and unquoted, cut to the buffer, integers parsed,
// and writes that change only what they name.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_dir.h"

namespace {

class Profile : public ::testing::Test {
 protected:
  std::string path(const char* name = "test.ini") const { return dir_.file(name); }
  void write(const std::string& text) const { dir_.write("test.ini", text); }
  // The file's text with CRLF line endings read as LF: Win32 writes CRLF,
  // the POSIX layer LF, and both are the same INI text.
  std::string read() const {
    std::string text = readFile(path()), lf;
    for (size_t i = 0; i < text.size(); i++)
      if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) lf += text[i];
    return lf;
  }
  std::string get(const char* section, const char* key, const char* def = "default",
                  DWORD size = 256) const {
    char buffer[256];
    GetPrivateProfileStringA(section, key, def, buffer, size, path().c_str());
    return buffer;
  }
  UINT getInt(const char* key, INT def = 99) const {
    return GetPrivateProfileIntA("s", key, def, path().c_str());
  }
  BOOL set(const char* section, const char* key, const char* value) const {
    return WritePrivateProfileStringA(section, key, value, path().c_str());
  }

  TempDir dir_;
};

}  // namespace

TEST_F(Profile, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(get("s", "k"), "default");
  write("[s]\nk=v\n");
  EXPECT_EQ(get("t", "k"), "default");
  EXPECT_EQ(get("s", "other"), "default");
  EXPECT_EQ(get("s", "other", nullptr), "");
  EXPECT_EQ(get("s", "other", "trailing blanks   "), "trailing blanks");
}

TEST_F(Profile, NamesMatchWithoutRegardToCase) {
  write("[Settings]\nFont Name=Courier\n");
  EXPECT_EQ(get("settings", "font name"), "Courier");
  EXPECT_EQ(get("SETTINGS", "FONT NAME"), "Courier");
}

TEST_F(Profile, ValuesAreTrimmedAndUnquotedOnce) {
  write("[s]\n"
        "a =  spaced value  \n"
        "b=\"quoted\"\n"
        "c='single'\n"
        "d=\"mismatched'\n"
        "e=\"\n"
        "f=\"\"inner\"\"\n"
        "g=  \"  keeps inner blanks  \"  \n"
        "h\n");
  EXPECT_EQ(get("s", "a"), "spaced value");
  EXPECT_EQ(get("s", "b"), "quoted");
  EXPECT_EQ(get("s", "c"), "single");
  EXPECT_EQ(get("s", "d"), "\"mismatched'");
  EXPECT_EQ(get("s", "e"), "\"");
  EXPECT_EQ(get("s", "f"), "\"inner\"");
  EXPECT_EQ(get("s", "g"), "  keeps inner blanks  ");
  EXPECT_EQ(get("s", "h"), "default");  // no equals sign: no value
}

TEST_F(Profile, LongValuesAreCutAndTerminated) {
  std::string value(600, 'x');
  write("[s]\nk=" + value + "\n");
  char buffer[700];
  memset(buffer, '#', sizeof buffer);
  DWORD n = GetPrivateProfileStringA("s", "k", "", buffer, 511, path().c_str());
  EXPECT_EQ(n, 510u);
  EXPECT_EQ(std::string(buffer), value.substr(0, 510));
  EXPECT_EQ(buffer[511], '#');  // nothing written past the given size
}

TEST_F(Profile, IntegersAreReadLikeWin32) {
  write("[s]\nplain=42\nneg=-7\nhex=0x1F\njunk=12abc\nword=abc\nempty=\nblank=  \nspaced= 8 \n");
  EXPECT_EQ(getInt("plain"), 42u);
  EXPECT_EQ(static_cast<INT>(getInt("neg")), -7);
  EXPECT_EQ(getInt("hex"), 31u);
  EXPECT_EQ(getInt("junk"), 12u);
  EXPECT_EQ(getInt("word"), 0u);
  EXPECT_EQ(getInt("empty"), 99u);
  EXPECT_EQ(getInt("blank"), 99u);
  EXPECT_EQ(getInt("spaced"), 8u);
  EXPECT_EQ(getInt("missing"), 99u);
  EXPECT_EQ(static_cast<INT>(getInt("missing", -1)), -1);
}

TEST_F(Profile, WritingCreatesTheFileAndAppendsNewKeysToTheirSection) {
  EXPECT_TRUE(set("s", "first", "1"));
  EXPECT_TRUE(set("s", "second", "2"));
  EXPECT_TRUE(set("t", "other", "3"));
  EXPECT_TRUE(set("s", "third", "4"));
  EXPECT_EQ(read(), "[s]\nfirst=1\nsecond=2\nthird=4\n[t]\nother=3\n");
}

TEST_F(Profile, ExistingKeyKeepsItsPlaceAndOtherKeysTheirValues) {
  write("; comment\n[s]\n  Key = old  \n; inside\nnext=x\n[t]\nkey=t\n");
  EXPECT_TRUE(set("S", "key", "new"));
  EXPECT_TRUE(set("s", "added", "a"));
  EXPECT_EQ(get("s", "key"), "new");
  EXPECT_EQ(get("s", "next"), "x");
  EXPECT_EQ(get("t", "key"), "t");
  char names[64];
  DWORD n = GetPrivateProfileStringA("s", nullptr, "", names, sizeof names, path().c_str());
  EXPECT_EQ(std::string(names, n), std::string("Key\0next\0added", 15));
}

TEST_F(Profile, NullValueDeletesTheKeyAndNullKeyTheSection) {
  write("[s]\na=1\nb=2\n[t]\nc=3\n");
  EXPECT_TRUE(set("s", "a", nullptr));
  EXPECT_EQ(get("s", "a"), "default");
  EXPECT_EQ(get("s", "b"), "2");
  EXPECT_TRUE(set("s", nullptr, nullptr));
  EXPECT_EQ(get("s", "b"), "default");
  EXPECT_EQ(get("t", "c"), "3");
}

TEST_F(Profile, NullKeyOrSectionListsNames) {
  write("[s]\na=1\nb=2\n[t]\nc=3\n");
  char buffer[64];
  DWORD n = GetPrivateProfileStringA("s", nullptr, "", buffer, sizeof buffer, path().c_str());
  EXPECT_EQ(n, 4u);
  EXPECT_EQ(std::string(buffer, 5), std::string("a\0b\0\0", 5));
  n = GetPrivateProfileStringA(nullptr, nullptr, "", buffer, sizeof buffer, path().c_str());
  EXPECT_EQ(n, 4u);
  EXPECT_EQ(std::string(buffer, 5), std::string("s\0t\0\0", 5));
}

TEST_F(Profile, WindowsDirectoryFitsOrTellsTheSizeNeeded) {
  char buffer[MAX_PATH];
  UINT n = GetWindowsDirectoryA(buffer, sizeof buffer);
  ASSERT_GT(n, 0u);
  ASSERT_LT(n, sizeof buffer);
  EXPECT_EQ(strlen(buffer), n);
  char tiny[2] = {'#', '#'};
  EXPECT_EQ(GetWindowsDirectoryA(tiny, sizeof tiny), n + 1);
}
