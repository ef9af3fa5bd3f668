// What the POSIX layer settles for INI files: where the Windows directory is,
// backslash paths, and writes that never leave a torn file behind.
#include <windows.h>

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <dirent.h>

#include <string>

#include "tests/support/temp_dir.h"

TEST(WindowsDirectory, ComesFromTheEnvironment) {
  char buffer[512];
  {
    ScopedEnv own("QUILLON_WINDOWS_DIR", "/some/where");
    GetWindowsDirectoryA(buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "/some/where");
  }
  ScopedEnv own("QUILLON_WINDOWS_DIR", "");
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", "/xdg");
    GetWindowsDirectoryA(buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "/xdg/quillon");
  }
  ScopedEnv xdg("XDG_CONFIG_HOME", "");
  ScopedEnv home("HOME", "/home/someone");
  GetWindowsDirectoryA(buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "/home/someone/.config/quillon");
}

TEST(WindowsDirectory, BackslashPathsAndBareNamesWork) {
  TempDir dir;
  ScopedEnv own("QUILLON_WINDOWS_DIR", dir.path() + "/new/windows");
  // A bare name lives in the Windows directory, created when first written.
  EXPECT_TRUE(WritePrivateProfileStringA("s", "k", "bare", "bare.ini"));
  EXPECT_EQ(readFile(dir.path() + "/new/windows/bare.ini"), "[s]\nk=bare\n");
  struct stat st;
  ASSERT_EQ(stat((dir.path() + "/new/windows/bare.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);  // a new file is its owner's alone
  std::string backslashed = dir.path() + "\\new\\windows\\bare.ini";
  char buffer[32];
  GetPrivateProfileStringA("s", "k", "", buffer, sizeof buffer, backslashed.c_str());
  EXPECT_STREQ(buffer, "bare");
}

TEST(ProfileWrite, FailsCleanlyWhereItCannotWrite) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
  TempDir dir;
  std::string path = dir.write("ro.ini", "[s]\nk=old\n");
  chmod(dir.path().c_str(), 0500);
  EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "new", path.c_str()));
  chmod(dir.path().c_str(), 0700);
  EXPECT_EQ(readFile(path), "[s]\nk=old\n");
}

TEST(ProfileWrite, AKilledWriterNeverLeavesATornFile) {
  // A child rewrites a large value over and over; it is killed at an
  // arbitrary moment, many times. The file must always hold one whole
  // version, and no temporary file may be mistaken for it.
  TempDir dir;
  std::string path = dir.file("torn.ini");
  std::string a(1500, 'a'), b(1500, 'b');  // small: each write reaches the disk at once
  WritePrivateProfileStringA("s", "k", a.c_str(), path.c_str());
  for (int round = 0; round < 20; round++) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int i = 0;; i++) WritePrivateProfileStringA("s", "k", (i % 2 ? a : b).c_str(), path.c_str());
    }
    usleep(static_cast<useconds_t>(2000 + round * 700));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    std::string text = readFile(path);
    ASSERT_TRUE(text == "[s]\nk=" + a + "\n" || text == "[s]\nk=" + b + "\n")
        << "round " << round << ": " << text.size() << " bytes";
  }
}

// Beyond Win32's promise (which keeps values, not layout), the layer keeps
// every line it does not change byte for byte, so hand-edited files survive.
class ProfileLayout : public ::testing::Test {
 protected:
  std::string path() const { return dir_.file("layout.ini"); }
  TempDir dir_;
};

TEST_F(ProfileLayout, ExistingKeyKeepsItsPlaceAndEveryOtherLineIsKept) {
  dir_.write("layout.ini", "; comment\n[s]\n  Key = old  \n; inside\nnext=x\n\n[t]\nkey=t\n");
  EXPECT_TRUE(WritePrivateProfileStringA("S", "key", "new", path().c_str()));
  EXPECT_EQ(readFile(path()), "; comment\n[s]\nKey=new\n; inside\nnext=x\n\n[t]\nkey=t\n");
}

TEST_F(ProfileLayout, NewKeyGoesAfterTheLastEntryOfItsSection) {
  dir_.write("layout.ini", "[s]\na=1\n\n; about t\n[t]\nb=2");  // no newline at the end
  EXPECT_TRUE(WritePrivateProfileStringA("s", "c", "3", path().c_str()));
  EXPECT_TRUE(WritePrivateProfileStringA("t", "d", "4", path().c_str()));
  EXPECT_EQ(readFile(path()), "[s]\na=1\nc=3\n\n; about t\n[t]\nb=2\nd=4\n");
}

TEST_F(ProfileLayout, CrLfFilesKeepTheirLineEndings) {
  dir_.write("layout.ini", "[s]\r\na=1\r\n");
  EXPECT_TRUE(WritePrivateProfileStringA("s", "b", "2", path().c_str()));
  EXPECT_TRUE(WritePrivateProfileStringA("u", "c", "3", path().c_str()));
  EXPECT_EQ(readFile(path()), "[s]\r\na=1\r\nb=2\r\n[u]\r\nc=3\r\n");
}
