// What the layer does with INI and registry files beyond Win32's promise:
// a cached profile that still sees every change made on disk, files it
// refuses to read (not regular, too large), the UTF-8 byte-order mark, and
// large profiles whose writes reach the disk at a flush or at exit.
#include <windows.h>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "tests/support/temp_dir.h"

namespace {

std::string get(const std::string& path, const char* key, const char* section = "s") {
  char buffer[256];
  GetPrivateProfileStringA(section, key, "default", buffer, sizeof buffer, path.c_str());
  return buffer;
}

// Gives the file a modification time of its own, so that a rewrite of the
// same size within one tick of the file system's clock still differs.
void stampFile(const std::string& path, long seconds) {
  struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

void overwriteInPlace(const std::string& path, const std::string& text) {
  FILE* file = fopen(path.c_str(), "r+");
  ASSERT_NE(file, nullptr);
  fputs(text.c_str(), file);
  fclose(file);
}

// Many keys: a file well past the size that is written at every call.
std::string manyKeys(int count) {
  std::string text = "[s]\n";
  for (int i = 0; i < count; i++) text += "url" + std::to_string(i) + "=http://host/" + std::to_string(i) + "\n";
  return text;
}

void writeManyKeys(const std::string& path, int count) {
  for (int i = 0; i < count; i++)
    WritePrivateProfileStringA("s", ("url" + std::to_string(i)).c_str(),
                               ("http://host/" + std::to_string(i)).c_str(), path.c_str());
}

}  // namespace

TEST(ProfileCache, SeesEveryChangeOnDisk) {
  TempDir dir;
  std::string path = dir.write("cache.ini", "[s]\nk=1\n");
  EXPECT_EQ(get(path, "k"), "1");
  dir.write("cache.ini", "[s]\nk=2\n");  // same size, another inode
  EXPECT_EQ(get(path, "k"), "2");
  stampFile(path, 1000);
  EXPECT_EQ(get(path, "k"), "2");
  overwriteInPlace(path, "[s]\nk=3\n");  // same inode and size, another time
  stampFile(path, 2000);
  EXPECT_EQ(get(path, "k"), "3");
  dir.write("cache.ini", "[s]\nk=4\nmore=x\n");
  EXPECT_EQ(get(path, "k"), "4");
  unlink(path.c_str());
  EXPECT_EQ(get(path, "k"), "default");
  // A write, then a change by someone else, then a read.
  EXPECT_TRUE(WritePrivateProfileStringA("s", "k", "5", path.c_str()));
  EXPECT_EQ(get(path, "k"), "5");
  dir.write("cache.ini", "[s]\nk=6\n");
  EXPECT_EQ(get(path, "k"), "6");
}

TEST(ProfileCache, AnotherFileInBetweenKeepsBoth) {
  TempDir dir;
  std::string a = dir.write("a.ini", "[s]\nk=a\n"), b = dir.write("b.ini", "[s]\nk=b\n");
  for (int round = 0; round < 3; round++) {
    EXPECT_EQ(get(a, "k"), "a");
    EXPECT_EQ(get(b, "k"), "b");
  }
}

// Notepad begins a UTF-8 file with a byte-order mark: the first section is
// still found, and a write keeps the mark.
TEST(ProfileFile, ByteOrderMarkIsSkippedAndKept) {
  TempDir dir;
  std::string path = dir.write("bom.ini", "\xEF\xBB\xBF[settings]\ntype delay=7\n");
  EXPECT_EQ(GetPrivateProfileIntA("settings", "type delay", 50, path.c_str()), 7u);
  EXPECT_TRUE(WritePrivateProfileStringA("settings", "indent", "3", path.c_str()));
  EXPECT_EQ(readFile(path), "\xEF\xBB\xBF[settings]\ntype delay=7\nindent=3\n");
}

// A directory, a FIFO (which would block the reader), a link to a device
// that never ends, and a file over 16 MiB read as missing, and a write never
// replaces them.
TEST(ProfileFile, WhatIsNoSmallRegularFileReadsAsMissing) {
  TempDir dir;
  ASSERT_EQ(mkdir(dir.file("directory.ini").c_str(), 0700), 0);
  ASSERT_EQ(mkfifo(dir.file("fifo.ini").c_str(), 0600), 0);
  ASSERT_EQ(symlink("/dev/zero", dir.file("zero.ini").c_str()), 0);
  std::string huge = "[s]\nk=v\n" + std::string(16u << 20, ';');
  dir.write("huge.ini", huge);
  for (const char* name : {"directory.ini", "fifo.ini", "zero.ini", "huge.ini"}) {
    std::string path = dir.file(name);
    EXPECT_EQ(get(path, "k"), "default") << name;
    EXPECT_EQ(GetPrivateProfileIntA("s", "k", 42, path.c_str()), 42u) << name;
    EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "new", path.c_str())) << name;
  }
  struct stat info;
  ASSERT_EQ(stat(dir.file("huge.ini").c_str(), &info), 0);
  EXPECT_EQ(static_cast<size_t>(info.st_size), huge.size());
  ASSERT_EQ(lstat(dir.file("fifo.ini").c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

// A large profile is written at the flush request (all three names null,
// which returns FALSE as on Win32) or when the process ends, byte for byte
// as a file written key by key.
TEST(ProfileFile, LargeFileIsWrittenAtTheFlushRequest) {
  TempDir dir;
  std::string path = dir.file("large.ini");
  writeManyKeys(path, 3000);
  EXPECT_NE(readFile(path), manyKeys(3000));
  EXPECT_EQ(get(path, "url2999"), "http://host/2999");  // the process sees its writes
  EXPECT_FALSE(WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str()));
  EXPECT_EQ(readFile(path), manyKeys(3000));
}

TEST(ProfileFile, LargeFileIsWrittenWhenTheProcessEnds) {
  TempDir dir;
  std::string path = dir.file("exit.ini");
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    writeManyKeys(path, 3000);
    exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_EQ(readFile(path), manyKeys(3000));
}

TEST(RegistryFile, RefusedFilesReadAsMissingAndTheMarkIsSkipped) {
  TempDir dir;
  ScopedEnv windows("QUILLON_WINDOWS_DIR", dir.path());
  std::string registry = dir.file("registry.reg");
  const char* desktop = "Control Panel\\Desktop";
  auto passwordFlag = [&]() {
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, desktop, &key) != ERROR_SUCCESS) return std::string("no key");
    char value[16] = {0};
    DWORD size = sizeof value;
    LONG status = RegQueryValueExA(key, "ScreenSaveUsePassword", nullptr, nullptr,
                                   reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? std::string(value) : std::string("missing");
  };
  dir.write("registry.reg", "\xEF\xBB\xBFREGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"
                            "\"ScreenSaveUsePassword\"=\"1\"\n");
  EXPECT_EQ(passwordFlag(), "1");
  unlink(registry.c_str());
  ASSERT_EQ(mkfifo(registry.c_str(), 0600), 0);
  EXPECT_EQ(passwordFlag(), "missing");  // at once, and as Windows' default
  unlink(registry.c_str());
  ASSERT_EQ(symlink("/dev/zero", registry.c_str()), 0);
  EXPECT_EQ(passwordFlag(), "missing");
}
