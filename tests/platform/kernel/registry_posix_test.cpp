// Registry read calls over the layer's registry file (registry.reg in the
// Windows directory): Win32's results for keys, values, buffer sizes and
// handles, and the missing file that reads as a Windows default.
#include <windows.h>

#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "tests/support/temp_dir.h"

namespace {

class Registry : public ::testing::Test {
 protected:
  void write(const std::string& body) { dir_.write("registry.reg", "REGEDIT4\n\n" + body); }

  // Opens HKEY_CURRENT_USER\<path>, expecting success.
  HKEY open(const char* path) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, path, &key), ERROR_SUCCESS) << path;
    return key;
  }

  // The value's bytes and type; the status when it cannot be read.
  LONG query(HKEY key, const char* name, std::string* bytes, DWORD* type) {
    BYTE buffer[64];
    DWORD size = sizeof buffer;
    LONG status = RegQueryValueExA(key, name, nullptr, type, buffer, &size);
    if (status == ERROR_SUCCESS) bytes->assign(reinterpret_cast<char*>(buffer), size);
    return status;
  }

  TempDir dir_;
  ScopedEnv windows_{"QUILLON_WINDOWS_DIR", dir_.path()};
};

TEST_F(Registry, MissingFileHasTheDesktopKeyWithoutThePasswordFlag) {
  HKEY desktop = open("Control Panel\\Desktop");
  std::string bytes;
  DWORD type;
  EXPECT_EQ(query(desktop, "ScreenSaveUsePassword", &bytes, &type), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegCloseKey(desktop), ERROR_SUCCESS);
  HKEY parent = open("Control Panel");
  RegCloseKey(parent);
  HKEY other = nullptr;
  EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Colors", &other), ERROR_FILE_NOT_FOUND);
}

TEST_F(Registry, ValuesOfEachTypeAsStored) {
  write("[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"
        "\"ScreenSaveUsePassword\"=\"1\"\n"
        "\"Number\"=dword:0000a00f\n"
        "; a comment\n"
        "\"Bytes\"=hex:01,ff,00\n"
        "@=\"say \\\"hi\\\"\"\n");
  HKEY key = open("control panel\\DESKTOP");  // names ignore case
  struct Expected {
    const char* name;
    DWORD type;
    std::string bytes;
  } cases[] = {
      {"ScreenSaveUsePassword", REG_SZ, std::string("1\0", 2)},  // the zero counts
      {"screensaveusepassword", REG_SZ, std::string("1\0", 2)},
      {"Number", REG_DWORD, std::string("\x0f\xa0\0\0", 4)},     // little-endian
      {"Bytes", REG_BINARY, std::string("\x01\xff\0", 3)},
      {"", REG_SZ, std::string("say \"hi\"\0", 9)},
      {nullptr, REG_SZ, std::string("say \"hi\"\0", 9)},
  };
  for (const Expected& e : cases) {
    std::string bytes;
    DWORD type = 0;
    ASSERT_EQ(query(key, e.name, &bytes, &type), ERROR_SUCCESS) << (e.name ? e.name : "(null)");
    EXPECT_EQ(type, e.type);
    EXPECT_EQ(bytes, e.bytes);
  }
  RegCloseKey(key);
}

TEST_F(Registry, BufferSizesFollowWin32) {
  write("[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n\"Text\"=\"12345\"\n");
  HKEY key = open("Control Panel\\Desktop");
  DWORD size = 0;
  // No buffer: the size needed.
  EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 6u);
  // Too small, as the wake check's 4-byte number is for this text.
  DWORD number = 0;
  size = sizeof number;
  EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, nullptr, reinterpret_cast<BYTE*>(&number), &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(number, 0u);
  // A buffer without a size, or a reserved argument, is refused.
  EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, nullptr, reinterpret_cast<BYTE*>(&number), nullptr),
            ERROR_INVALID_PARAMETER);
  DWORD reserved = 0;
  EXPECT_EQ(RegQueryValueExA(key, "Text", &reserved, nullptr, nullptr, &size), ERROR_INVALID_PARAMETER);
  RegCloseKey(key);
}

TEST_F(Registry, HandlesAndSubKeys) {
  write("[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n\"A\"=\"x\"\n");
  HKEY panel = open("Control Panel");
  HKEY same = nullptr;
  EXPECT_EQ(RegOpenKeyA(panel, "", &same), ERROR_SUCCESS);  // RegOpenKeyA gives it back
  EXPECT_EQ(same, panel);
  EXPECT_EQ(RegOpenKeyA(panel, nullptr, &same), ERROR_SUCCESS);
  EXPECT_EQ(same, panel);
  HKEY desktop = nullptr;
  EXPECT_EQ(RegOpenKeyA(panel, "Desktop", &desktop), ERROR_SUCCESS);
  std::string bytes;
  DWORD type;
  EXPECT_EQ(query(desktop, "A", &bytes, &type), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", nullptr), ERROR_INVALID_PARAMETER);

  EXPECT_EQ(RegCloseKey(desktop), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(desktop), ERROR_INVALID_HANDLE);
  EXPECT_EQ(query(desktop, "A", &bytes, &type), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(panel), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);  // predefined: nothing to close
}

TEST_F(Registry, EveryQueryReadsTheFileAfresh) {
  write("[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n");
  HKEY key = open("Control Panel\\Desktop");
  std::string bytes;
  DWORD type;
  EXPECT_EQ(query(key, "ScreenSaveUsePassword", &bytes, &type), ERROR_FILE_NOT_FOUND);
  write("[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n\"ScreenSaveUsePassword\"=dword:1\r\n");
  EXPECT_EQ(query(key, "ScreenSaveUsePassword", &bytes, &type), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  RegCloseKey(key);
}

}  // namespace
