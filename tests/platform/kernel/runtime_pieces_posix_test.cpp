// The runtime-library and start-up pieces of the layer that the saver host
// uses: LoadStringA over the program's string table, _tempnam, the
// exclusive creation of a file with _open, WSAStartup/WSACleanup, and the
// start-up information.
#include <winsock2.h>
#include <windows.h>

#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <io.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "tests/support/temp_dir.h"

namespace {

TEST(LoadString, CopiesTruncatesAndMisses) {
  HINSTANCE module = GetModuleHandleA(nullptr);
  char buffer[100];
  EXPECT_EQ(LoadStringA(module, 109, buffer, sizeof buffer), 10);
  EXPECT_STREQ(buffer, "QUILLONSCR");
  EXPECT_EQ(LoadStringA(module, 109, buffer, 5), 4);  // cut and terminated
  EXPECT_STREQ(buffer, "QUIL");
  strcpy(buffer, "untouched");
  EXPECT_EQ(LoadStringA(module, 4711, buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "");
}

TEST(TempName, PicksTheFolderAsTheMicrosoftRuntime) {
  TempDir tmp, given, system;
  ScopedEnv tmpdir("TMPDIR", system.path());
  struct Case {
    std::string tmpVariable;
    const char* directory;
    std::string folder;
  } cases[] = {
      {tmp.path(), given.path().c_str(), tmp.path()},       // TMP first
      {"/no/such/folder", given.path().c_str(), given.path()},  // then the argument
      {"", nullptr, system.path()},                         // then the system's
      {"", "/no/such/folder", system.path()},
  };
  for (const Case& c : cases) {
    ScopedEnv tmpVariable("TMP", c.tmpVariable);
    char* name = _tempnam(c.directory, "quillon");
    ASSERT_NE(name, nullptr);
    std::string text = name;
    EXPECT_EQ(text.compare(0, c.folder.size() + 8, c.folder + "/quillon"), 0) << text;
    EXPECT_FALSE(fileExists(text));  // named, not created
    char* other = _tempnam(c.directory, "quillon");
    EXPECT_STRNE(name, other);
    free(name);
    free(other);
  }
}

TEST(OpenExclusive, CreatesOnlyANewPrivateFile) {
  TempDir dir;
  std::string path = dir.file("banner");
  int fd = _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_TEXT, _S_IREAD | _S_IWRITE);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(_write(fd, "a\nb", 3), 3);
  EXPECT_EQ(_close(fd), 0);
  EXPECT_EQ(readFile(path), "a\nb");
  struct stat st;
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  // An existing file, or a link planted under the name, is refused and left
  // alone: nothing is written through the link.
  errno = 0;
  EXPECT_EQ(_open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL, _S_IREAD | _S_IWRITE), -1);
  EXPECT_EQ(errno, EEXIST);
  std::string victim = dir.file("victim");
  std::string planted = dir.file("planted");
  ASSERT_EQ(symlink(victim.c_str(), planted.c_str()), 0);
  EXPECT_EQ(_open(planted.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL, _S_IREAD | _S_IWRITE), -1);
  EXPECT_FALSE(fileExists(victim));
}

TEST(WinSock, StartsAndCleansUpInPairs) {
  WSADATA data;
  ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
  EXPECT_EQ(data.wVersion, MAKEWORD(1, 1));
  EXPECT_EQ(data.wHighVersion, MAKEWORD(2, 2));
  ASSERT_EQ(WSAStartup(MAKEWORD(3, 0), &data), 0);  // above the highest: 2.2 is offered
  EXPECT_EQ(data.wVersion, MAKEWORD(2, 2));
  EXPECT_EQ(WSAStartup(MAKEWORD(0, 9), &data), WSAVERNOTSUPPORTED);
  EXPECT_EQ(WSACleanup(), 0);
  EXPECT_EQ(WSACleanup(), 0);
  EXPECT_EQ(WSACleanup(), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
}

TEST(StartUp, NoShowStateAndOneModule) {
  STARTUPINFOA info;
  memset(&info, 0xAB, sizeof info);
  GetStartupInfoA(&info);
  EXPECT_EQ(info.cb, sizeof info);
  EXPECT_EQ(info.dwFlags & STARTF_USESHOWWINDOW, 0u);  // so the program shows SW_SHOWDEFAULT
  EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
  SetLastError(0);
  EXPECT_EQ(GetModuleHandleA("kernel32.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

}  // namespace
