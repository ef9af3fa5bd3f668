// Which INI files the layer trusts: a settings folder or file that another
// user owns or that others may write is neither read nor written (one line
// on stderr), a written file is always 0600, a symbolic link is written
// through only to a private file of the user, and a read-only file is not
// written. Run as root, the foreign owner is the user nobody.
#include <windows.h>

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "tests/support/temp_dir.h"

namespace {

std::string get(const std::string& path) {
  char buffer[64];
  GetPrivateProfileStringA("s", "k", "default", buffer, sizeof buffer, path.c_str());
  return buffer;
}

// Gives a file or folder to the user nobody; false when this process cannot.
bool giveAway(const std::string& path) {
  struct passwd* nobody = getpwnam("nobody");
  return geteuid() == 0 && nobody != nullptr && chown(path.c_str(), nobody->pw_uid, nobody->pw_gid) == 0;
}

mode_t modeOf(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

int linesIn(const std::string& text) {
  int lines = 0;
  for (char c : text) lines += c == '\n';
  return lines;
}

enum class Outcome { Written, Refused, ReadOnly };

struct Case {
  const char* name;
  // Makes the folder `dir` (the INI's folder) and INI `ini` in `base`; the
  // INI holds "[s]\nk=old\n" wherever it ends up. False: skip (not root).
  bool (*setUp)(const std::string& base, const std::string& dir, const std::string& ini);
  Outcome outcome;
  const char* words;  // in the stderr line when refused
};

bool plainIni(const std::string& dir, const std::string& ini, mode_t mode) {
  mkdir(dir.c_str(), 0700);
  FILE* f = fopen(ini.c_str(), "w");
  fputs("[s]\nk=old\n", f);
  fclose(f);
  return chmod(ini.c_str(), mode) == 0;
}

// A symbolic link at the INI's place to `target` in the folder `targetDir`.
bool linkedIni(const std::string& base, const std::string& dir, const std::string& ini,
               mode_t targetDirMode) {
  std::string targetDir = base + "/dotfiles";
  mkdir(dir.c_str(), 0700);
  mkdir(targetDir.c_str(), 0700);
  plainIni(targetDir, targetDir + "/real.ini", 0644);
  chmod(targetDir.c_str(), targetDirMode);
  return symlink((targetDir + "/real.ini").c_str(), ini.c_str()) == 0;
}

const Case kCases[] = {
    {"0644 file", [](const std::string&, const std::string& d, const std::string& i) {
       return plainIni(d, i, 0644); }, Outcome::Written, nullptr},
    {"0700 file", [](const std::string&, const std::string& d, const std::string& i) {
       return plainIni(d, i, 0700); }, Outcome::Written, nullptr},
    {"no folder yet", [](const std::string&, const std::string&, const std::string&) {
       return true; }, Outcome::Written, nullptr},
    {"group-writable folder", [](const std::string&, const std::string& d, const std::string& i) {
       return plainIni(d, i, 0600) && chmod(d.c_str(), 0770) == 0; },
     Outcome::Refused, "may be written by other users"},
    {"world-writable sticky folder", [](const std::string&, const std::string& d,
                                        const std::string& i) {
       return plainIni(d, i, 0600) && chmod(d.c_str(), 01777) == 0; },
     Outcome::Refused, "may be written by other users"},
    {"group-writable file", [](const std::string&, const std::string& d, const std::string& i) {
       return plainIni(d, i, 0660); }, Outcome::Refused, "may be written by other users"},
    {"folder of another user", [](const std::string&, const std::string& d, const std::string& i) {
       return plainIni(d, i, 0600) && giveAway(d); }, Outcome::Refused, "belongs to another user"},
    {"file of another user", [](const std::string&, const std::string& d, const std::string& i) {
       return plainIni(d, i, 0600) && giveAway(i); }, Outcome::Refused, "belongs to another user"},
    {"link to a private file", [](const std::string& b, const std::string& d,
                                  const std::string& i) { return linkedIni(b, d, i, 0700); },
     Outcome::Written, nullptr},
    {"link into a group-writable folder", [](const std::string& b, const std::string& d,
                                             const std::string& i) {
       return linkedIni(b, d, i, 0770); }, Outcome::Refused, "symbolic link"},
    {"link to another user's file", [](const std::string& b, const std::string& d,
                                       const std::string& i) {
       return linkedIni(b, d, i, 0700) && giveAway(b + "/dotfiles/real.ini"); },
     Outcome::Refused, "symbolic link"},
    {"link to nothing", [](const std::string&, const std::string& d, const std::string& i) {
       mkdir(d.c_str(), 0700);
       return symlink("/nonexistent/quillon.ini", i.c_str()) == 0; },
     Outcome::Refused, "symbolic link"},
    {"read-only file", [](const std::string&, const std::string& d, const std::string& i) {
       return plainIni(d, i, 0444); }, Outcome::ReadOnly, "is read-only"},
};

TEST(SettingsFileSafety, OwnershipAndPermissionsDecide) {
  mode_t oldMask = umask(022);
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    TempDir base;
    std::string dir = base.file("settings");
    std::string ini = dir + "/quillonscr.ini";
    if (!c.setUp(base.path(), dir, ini)) {
      ASSERT_NE(geteuid(), 0u) << "set-up failed";
      continue;  // giving a file away needs root
    }
    struct stat before;
    bool existed = stat(ini.c_str(), &before) == 0;
    testing::internal::CaptureStderr();
    std::string read = get(ini);
    BOOL wrote = WritePrivateProfileStringA("s", "k", "new", ini.c_str());
    std::string errors = testing::internal::GetCapturedStderr();
    std::string after = readFile(ini);
    switch (c.outcome) {
      case Outcome::Written:
        EXPECT_EQ(read, existed ? "old" : "default");
        EXPECT_TRUE(wrote);
        EXPECT_EQ(get(ini), "new");
        EXPECT_EQ(modeOf(ini), 0600u);  // stat follows a link to its target
        EXPECT_EQ(errors, "");
        break;
      case Outcome::Refused:
      case Outcome::ReadOnly:
        EXPECT_EQ(read, c.outcome == Outcome::ReadOnly ? "old" : "default");
        EXPECT_FALSE(wrote);
        EXPECT_EQ(after, existed ? "[s]\nk=old\n" : "");
        EXPECT_EQ(linesIn(errors), 1) << errors;
        EXPECT_NE(errors.find("quillon: " + ini + ": "), std::string::npos) << errors;
        EXPECT_NE(errors.find(c.words), std::string::npos) << errors;
        break;
    }
  }
  umask(oldMask);
}

// A link written through stays a link, and the new file is made beside its
// target: the folder of the link holds nothing else.
TEST(SettingsFileSafety, LinkIsWrittenThroughBesideItsTarget) {
  TempDir base;
  std::string dir = base.file("settings");
  std::string ini = dir + "/quillonscr.ini";
  ASSERT_TRUE(linkedIni(base.path(), dir, ini, 0700));
  ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "new", ini.c_str()));
  struct stat info;
  ASSERT_EQ(lstat(ini.c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_EQ(readFile(base.file("dotfiles/real.ini")), "[s]\nk=new\n");
  EXPECT_EQ(modeOf(base.file("dotfiles/real.ini")), 0600u);
}

}  // namespace
