// What the layer's code pages do where Wine, the reference the conformance
// tests are also run against, differs from the Windows documentation: Wine
// has no ISO-2022-JP and converts to UTF-8 even when a default character is
// asked for. These follow Microsoft's documentation.
#include <gtest/gtest.h>
#include <windows.h>

namespace {

// CP_UTF8 has no default character: asking whether one was used is an
// invalid parameter.
TEST(WideCharToMultiByte, Utf8RefusesTheUsedDefaultFlag) {
  WCHAR lone[] = {'x', 0xDC00};
  char out[16];
  BOOL usedDefault = FALSE;
  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, lone, 2, out, 16, nullptr, &usedDefault), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(MultiByteToWideChar, Iso2022JpTakesNoFlags) {
  const char text[] = "\x1B$BF|\x1B(B";  // 日 between the shifts
  WCHAR out[8];
  EXPECT_EQ(MultiByteToWideChar(50220, 0, text, 8, out, 8), 1);
  EXPECT_EQ(out[0], 0x65E5);
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(50220, MB_ERR_INVALID_CHARS, text, 8, out, 8), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
}

}  // namespace
