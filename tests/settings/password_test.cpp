// scramblePassword: its own inverse, and a stored form that the INI file
// always keeps as one value.
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "settings/settings.h"

namespace {
std::string scrambled(const std::string& plain) {
  memset(settings.password, 0, sizeof settings.password);
  strcpy(settings.password, plain.c_str());
  scramblePassword();
  return settings.password;
}

bool typable(int c) { return c >= 0x20 && c <= 0xFF && c != 0x7F; }
bool letterOrDigit(int c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
}  // namespace

TEST(ScramblePassword, TwiceGivesTheTextBack) {
  for (const char* text : {"", "a", "secret", "123456789", "0123456789abcdefghij",
                           "with blanks and \"quotes\"",
                           "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUV"}) {
    std::string once = scrambled(text);
    scramblePassword();
    EXPECT_STREQ(settings.password, text);
    if (*text) {
      EXPECT_NE(once, text);
    }
  }
}

TEST(ScramblePassword, EmptyStaysEmptyAndBytesBehindAreUntouched) {
  memset(settings.password, 0, sizeof settings.password);
  scramblePassword();
  for (char c : settings.password) EXPECT_EQ(c, 0);
}

TEST(ScramblePassword, StoredFormIsAlwaysOneIniValue) {
  // Every typable byte at every key position (the key repeats every 9).
  for (int position = 0; position < 9; position++) {
    for (int c = 0; c < 256; c++) {
      if (!typable(c)) continue;
      std::string plain(static_cast<size_t>(position) + 1, 'a');
      plain[static_cast<size_t>(position)] = static_cast<char>(c);
      std::string stored = scrambled(plain);
      ASSERT_EQ(stored.size(), plain.size()) << "zero byte from " << c << " at " << position;
      int s = static_cast<unsigned char>(stored[static_cast<size_t>(position)]);
      EXPECT_NE(s, '\r') << c << " at " << position;
      EXPECT_NE(s, '\n') << c << " at " << position;
      EXPECT_GE(s, 0x20) << "control character from " << c << " at " << position;
      if (letterOrDigit(c)) {
        EXPECT_NE(s, ' ') << c << " at " << position;
        EXPECT_NE(s, '"') << c << " at " << position;
        EXPECT_NE(s, '\'') << c << " at " << position;
      }
    }
  }
}
