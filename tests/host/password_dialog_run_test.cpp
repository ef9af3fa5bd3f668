// The password dialog of the real program in both roles, driven through the
// headless driver's script. Verify role: "/s" with a saver password and the
// system flag on, woken by a key; judged by the dialog's result and what the
// saver does after it. Set role: "/a 0"; judged by the settings file. In the
// verify role the saver window is w1, the dialog w2, the password field w4,
// the confirm label and field w5 and w6, OK w7; in the set role the dialog
// is w1, the fields w3 and w5, OK w6.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "tests/host/saver_process.h"

namespace {

const char* const kFlagOn =
    "REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n\"ScreenSaveUsePassword\"=\"1\"\n";
const std::string k48 = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUV";

// A saver with `password` woken by a key at 1000 ms; the dialog opens then.
SaverRun runVerify(SaverSandbox& sandbox, const std::string& password, const std::string& script) {
  sandbox.useDocument("the typed document\n", "type delay=70\npassword=" +
                                                  storedPassword(password.c_str()));
  sandbox.writeRegistry(kFlagOn);
  return sandbox.run({"/s"}, "at 1000 key A\n" + script + "at 9000 quit\n");
}

struct VerifyCase {
  const char* name;
  std::string password;
  std::string script;  // from 1100 ms
  int result;          // the dialog's result at 1200 ms; 0: still open at the end
};

const VerifyCase kVerifyCases[] = {
    {"the password, OK", "Secret", "at 1100 type Secret\nat 1200 command 1\n", 1},
    {"the password, Enter", "Secret", "at 1100 type Secret\nat 1200 key RETURN\n", 1},
    {"letter case differs", "Secret", "at 1100 type secret\nat 1200 key RETURN\nat 1200 command 1\n",
     0},
    {"one character more", "Secret", "at 1100 type Secretx\nat 1200 command 1\n", 0},
    {"one character more, deleted", "Secret", "at 1100 type Secretx\nat 1150 key BACK\n"
     "at 1200 command 1\n", 1},
    {"nothing typed", "Secret", "at 1200 key RETURN\n", 0},
    {"48 stored, 50 typed", k48, "at 1100 type " + k48 + "yz\nat 1200 command 1\n", 1},
    {"47 of 48 typed", k48, "at 1100 type " + k48.substr(0, 47) + "\nat 1200 command 1\n", 0},
    {"Cancel", "Secret", "at 1100 type Sec\nat 1200 command 2\n", 2},
    {"Escape", "Secret", "at 1100 type Secret\nat 1200 key ESCAPE\n", 2},
    {"close box", "Secret", "at 1200 close\n", 2},
};

TEST(PasswordDialogRun, VerifyRoleEndsOrResumesTheSaver) {
  for (const VerifyCase& c : kVerifyCases) {
    SaverSandbox sandbox;
    SaverRun run = runVerify(sandbox, c.password, c.script);
    SCOPED_TRACE(std::string(c.name) + "\n" + run.trace.text() + run.errors);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.trace.firstTime("dialog w2 begin 130"), 1000);
    if (c.result == 0) {
      EXPECT_FALSE(run.trace.has("dialog w2 end"));
      EXPECT_FALSE(run.trace.has("destroy w1"));
      EXPECT_EQ(run.trace.starting("cursor hide").size(), 1u);  // only the saver's start
    } else {
      EXPECT_EQ(run.trace.firstTime("dialog w2 end " + std::to_string(c.result)), 1200);
      EXPECT_EQ(run.trace.firstTime("destroy w1"), c.result == 1 ? 1200 : -1);
      EXPECT_EQ(run.trace.starting("cursor hide").size(), 2u);
    }
    if (c.result == 2) {
      // Typing resumes at the keystroke delay.
      std::string trace = "\n" + run.trace.text();
      EXPECT_NE(trace.find("\n1200 settimer w1 43 70\n"), std::string::npos);
      EXPECT_NE(trace.find("\n1270 timer w1 43\n"), std::string::npos);
    }
    // The password is nowhere in what the program writes.
    EXPECT_EQ(run.trace.text().find(c.password), std::string::npos);
    EXPECT_EQ(run.errors.find(c.password), std::string::npos);
    EXPECT_EQ(run.errors.find("quillon"), std::string::npos);
  }
}

// What the dialog looks like when it opens: one field with the focus, the
// confirm field and its label hidden, OK disabled, centred by its client
// area (230x107 on 1024x768: the corner at 512 - 115, 384 - 53), the
// cursor shown and the typing stopped.
TEST(PasswordDialogRun, VerifyRoleStartState) {
  SaverSandbox sandbox;
  SaverRun run = runVerify(sandbox, "pw", "at 1100 key Q\n");
  std::string trace = run.trace.text();
  for (const char* line : {"1000 killtimer w1 43", "1000 cursor show", "1000 hide w5",
                           "1000 hide w6", "1000 disable w7", "1000 move w2 397,331 236x131",
                           "1000 disable w1", "1100 keydown * w4"})
    EXPECT_NE(trace.find(std::string("\n") + line + "\n"), std::string::npos) << line << "\n"
                                                                             << trace;
}

// OK is enabled by the keystroke that completes the password and disabled by
// the next one.
TEST(PasswordDialogRun, OkFollowsEveryKeystroke) {
  SaverSandbox sandbox;
  SaverRun run = runVerify(sandbox, "pass", "at 1100 type pas\nat 1200 type s\nat 1300 type s\n"
                                            "at 1400 key BACK\n");
  std::vector<TraceLine> enabled = run.trace.starting("enable w7");
  std::vector<TraceLine> disabled = run.trace.starting("disable w7");
  ASSERT_EQ(enabled.size(), 2u) << run.trace.text();
  EXPECT_EQ(enabled[0].ms, 1200u);
  EXPECT_EQ(enabled[1].ms, 1400u);
  ASSERT_EQ(disabled.size(), 2u) << run.trace.text();
  EXPECT_EQ(disabled[0].ms, 1000u);
  EXPECT_EQ(disabled[1].ms, 1300u);
}

// Cancelled while the typewriter waits to scroll after a line: that scroll
// is dropped (only the typing timer restarts), so the next line is typed on
// the bottom row over the one before.
TEST(PasswordDialogRun, CancelInTheLinePauseDropsThatScroll) {
  SaverSandbox sandbox;
  sandbox.useDocument("ab\ncd\n", "type delay=70\nline scroll delay=2000\npassword=" +
                                       storedPassword("pw"));
  sandbox.writeRegistry(kFlagOn);
  // 70: "ab" taken, scroll at 2070; "a" at 2140, "b" at 2210; 2280: "cd"
  // taken, its scroll due at 4280; the dialog comes and goes before that.
  // "cd" is typed from 3170 and the document taken again at 3310 waits for
  // a scroll at 5310.
  SaverRun run = sandbox.run({"/s"}, "at 3000 key A\nat 3100 key ESCAPE\nat 5000 quit\n");
  SCOPED_TRACE(run.trace.text());
  std::vector<TraceLine> scrolls = run.trace.starting("timer w1 42");
  ASSERT_EQ(scrolls.size(), 1u);
  EXPECT_EQ(scrolls[0].ms, 2070u);
  std::string a, c;
  for (const TraceLine& line : run.trace.starting("textout ")) {
    std::string place = line.event.substr(0, line.event.rfind(' '));
    if (line.event.substr(line.event.rfind(' ') + 1) == "97" && a.empty()) a = place;
    if (line.event.substr(line.event.rfind(' ') + 1) == "99" && c.empty()) c = place;
  }
  EXPECT_FALSE(a.empty());
  EXPECT_EQ(c, a);
}

// The password set with "/a 0" as the settings file then holds it; an old
// password "old" is there before.
struct SetCase {
  const char* name;
  std::string script;  // from 100 ms; "at 9000 quit" is added
  int result;          // the dialog's result; 0: still open at the end
  const char* stored;  // the password afterwards
};

const SetCase kSetCases[] = {
    {"OK starts disabled", "at 100 command 1\nat 110 key RETURN\n", 0, "old"},
    {"only the password field", "at 100 type abc\nat 200 command 1\n", 0, "old"},
    {"both fields", "at 100 type abc\nat 110 focus 1013\nat 120 type abc\nat 200 command 1\n",
     1, "abc"},
    {"Tab to the confirm field, Enter", "at 100 type aB1\nat 110 key TAB\nat 120 type aB1\n"
     "at 200 key RETURN\n", 1, "aB1"},
    {"letter case differs", "at 100 type abc\nat 110 focus 1013\nat 120 type aBc\n"
     "at 200 command 1\n", 0, "old"},
    {"typed and deleted: the empty password", "at 100 type a\nat 110 key BACK\n"
     "at 200 command 1\n", 1, ""},
    {"60 characters sharing 48", "at 100 type " + k48 + "111111111111\nat 110 focus 1013\n"
     "at 120 type " + k48 + "222222222222\nat 200 command 1\n", 1, k48.c_str()},
    {"Cancel", "at 100 type abc\nat 110 focus 1013\nat 120 type abc\nat 200 command 2\n", 2,
     "old"},
    {"Escape", "at 100 type abc\nat 110 focus 1013\nat 120 type abc\nat 200 key ESCAPE\n", 2,
     "old"},
};

TEST(PasswordDialogRun, SetRoleStoresOnOkOnly) {
  for (const SetCase& c : kSetCases) {
    SaverSandbox sandbox;
    sandbox.writeSettings("password=" + storedPassword("old"));
    std::string path = sandbox.windowsDir() + "/quillonscr.ini";
    std::string before = readFile(path);
    SaverRun run = sandbox.run({"/a", "0"}, c.script + "at 9000 quit\n");
    std::string after = readFile(path);
    SCOPED_TRACE(std::string(c.name) + "\n" + run.trace.text() + run.errors + after);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.trace.firstTime("dialog w1 begin 130"), 0);
    EXPECT_EQ(run.trace.firstTime("disable w6"), 0);
    if (c.result == 0) {
      EXPECT_TRUE(run.trace.has("scriptquit"));
      EXPECT_EQ(after, before);
      continue;
    }
    EXPECT_EQ(run.trace.firstTime("dialog w1 end " + std::to_string(c.result)), 200);
    if (c.result == 2) {
      EXPECT_EQ(after, before);
      continue;
    }
    EXPECT_NE(after.find("\npassword=" + storedPassword(c.stored) + "\n"), std::string::npos);
    if (c.stored[0] != '\0') {
      EXPECT_EQ(after.find(c.stored), std::string::npos) << "scrambled";
      EXPECT_EQ(run.trace.text().find(c.stored), std::string::npos);
    }
    EXPECT_EQ(run.errors.find("quillon"), std::string::npos);
  }
}

// The set role's dialog keeps the template's place and both fields.
TEST(PasswordDialogRun, SetRoleStartState) {
  SaverSandbox sandbox;
  SaverRun run = sandbox.run({"/a", "0"}, "at 100 key Q\nat 200 quit\n");
  std::string trace = run.trace.text();
  for (const char* line : {"0 create w1 parent=none 0,0 236x131", "0 show w5", "0 disable w6",
                           "100 keydown * w3"})
    EXPECT_NE(trace.find(std::string("\n") + line + "\n"), std::string::npos) << line << "\n"
                                                                             << trace;
  EXPECT_FALSE(run.trace.has("hide w"));
  EXPECT_FALSE(run.trace.has("move w1"));
}

// Keys typed into a password field, in either role, are traced as "*":
// the trace tells that a key went there, never which.
TEST(PasswordDialogRun, KeysInPasswordFieldsAreTracedAsStars) {
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string script;
    std::vector<std::string> fields;  // the password fields
  } cases[] = {
      {"verify", {"/s"}, "at 1000 key A\nat 1100 type Zq9\nat 1200 key BACK\nat 1300 key TAB\n",
       {"w4"}},
      {"set", {"/a", "0"}, "at 100 type Zq9\nat 110 key TAB\nat 120 type Zq9\n", {"w3", "w5"}},
  };
  for (const Case& c : cases) {
    SaverSandbox sandbox;
    sandbox.useDocument("x\n", "password=" + storedPassword("pw"));
    sandbox.writeRegistry(kFlagOn);
    SaverRun run = sandbox.run(c.args, c.script + "at 3000 quit\n");
    SCOPED_TRACE(std::string(c.name) + "\n" + run.trace.text());
    size_t starred = 0;
    for (const TraceLine& line : run.trace.starting("key")) {
      std::string window = line.event.substr(line.event.rfind(' ') + 1);
      bool field = false;
      for (const std::string& f : c.fields) field = field || window == f;
      if (!field) continue;
      EXPECT_NE(line.event.find(" * "), std::string::npos) << line.event;
      starred++;
    }
    EXPECT_GE(starred, 6u);  // Z, q, 9 down and up at least (Shift too)
    for (const char* name : {" Z ", " Q ", " 9 ", " BACK ", " SHIFT "})
      EXPECT_EQ(run.trace.text().find(name), std::string::npos) << name;
  }
}

// A password stored by "/a 0" leaves the settings file 0600 whatever mode
// it had (a hand-written 0644 file, umask 022); in a settings folder that
// others may write, nothing is read or written and one line says why.
TEST(PasswordDialogRun, StoredPasswordFileIsTheOwnersAlone) {
  struct Case {
    const char* name;
    mode_t folderMode;
    bool stored;
  } cases[] = {
      {"private folder", 0700, true},
      {"group-writable folder", 0770, false},
  };
  mode_t oldMask = umask(022);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SaverSandbox sandbox;
    sandbox.writeSettings("password=" + storedPassword("old"));
    std::string path = sandbox.windowsDir() + "/quillonscr.ini";
    ASSERT_EQ(chmod(path.c_str(), 0644), 0);
    ASSERT_EQ(chmod(sandbox.windowsDir().c_str(), c.folderMode), 0);
    std::string before = readFile(path);
    SaverRun run = sandbox.run({"/a", "0"}, "at 100 type abc\nat 110 key TAB\nat 120 type abc\n"
                                            "at 200 command 1\nat 9000 quit\n");
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    if (c.stored) {
      EXPECT_EQ(info.st_mode & 07777, 0600u);
      EXPECT_NE(readFile(path).find("\npassword=" + storedPassword("abc") + "\n"),
                std::string::npos);
      EXPECT_EQ(run.errors, "");
    } else {
      EXPECT_EQ(readFile(path), before);
      EXPECT_EQ(info.st_mode & 07777, 0644u);
      EXPECT_EQ(run.errors, "quillon: " + path + ": its folder " + sandbox.windowsDir() +
                                " may be written by other users; it is not used, as if it "
                                "were missing\n");
    }
  }
  umask(oldMask);
}

}  // namespace
