// Named mutexes: Win32's rules for CreateMutexA, ReleaseMutex and
// CloseHandle within a process, and across processes (forked children,
// POSIX only): a name lives while any process holds a handle to it, and a
// holder that dies lets it go.
#include <windows.h>

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/temp_dir.h"

namespace {

class Mutexes : public ::testing::Test {
 protected:
  TempDir dir_;
  ScopedEnv runtime_{"XDG_RUNTIME_DIR", dir_.path()};

  // CreateMutexA and the last error it left.
  static HANDLE create(const char* name, BOOL owner, DWORD* error) {
    SetLastError(12345);
    HANDLE h = CreateMutexA(nullptr, owner, name);
    *error = GetLastError();
    return h;
  }
};

TEST_F(Mutexes, SecondHandleInTheProcessFindsTheName) {
  DWORD error;
  HANDLE first = create("TestMutexA", TRUE, &error);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_SUCCESS));  // reset, not left alone
  HANDLE second = create("TestMutexA", TRUE, &error);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_ALREADY_EXISTS));

  // One object: the first create owns it once; initialOwner of the second
  // was ignored.
  EXPECT_TRUE(ReleaseMutex(second));
  SetLastError(0);
  EXPECT_FALSE(ReleaseMutex(first));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_OWNER));

  // The name lives while a handle is open.
  EXPECT_TRUE(CloseHandle(first));
  HANDLE third = create("TestMutexA", FALSE, &error);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(CloseHandle(second));
  EXPECT_TRUE(CloseHandle(third));
  HANDLE fresh = create("TestMutexA", FALSE, &error);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_SUCCESS));
  CloseHandle(fresh);
}

TEST_F(Mutexes, NamesAreCaseSensitiveAndUnnamedOnesDistinct) {
  DWORD error;
  HANDLE upper = create("TestMutexB", FALSE, &error);
  HANDLE lower = create("testmutexb", FALSE, &error);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_SUCCESS));
  HANDLE unnamed1 = create(nullptr, FALSE, &error);
  HANDLE unnamed2 = create("", FALSE, &error);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_NE(unnamed1, unnamed2);
  for (HANDLE h : {upper, lower, unnamed1, unnamed2}) EXPECT_TRUE(CloseHandle(h));
}

TEST_F(Mutexes, InvalidHandlesFail) {
  HANDLE h = CreateMutexA(nullptr, FALSE, "TestMutexC");
  EXPECT_TRUE(CloseHandle(h));
  SetLastError(0);
  EXPECT_FALSE(CloseHandle(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  SetLastError(0);
  EXPECT_FALSE(ReleaseMutex(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(CloseHandle(nullptr));
}

// A child process that takes the name, reports the error it saw through a
// pipe, and then waits to be killed.
pid_t holdInChild(const char* name, DWORD* error) {
  int report[2];
  if (pipe(report) != 0) return -1;
  pid_t pid = fork();
  if (pid == 0) {
    CreateMutexA(nullptr, TRUE, name);
    DWORD seen = GetLastError();
    if (write(report[1], &seen, sizeof seen) != sizeof seen) _exit(1);
    for (;;) pause();
  }
  close(report[1]);
  if (read(report[0], error, sizeof *error) != sizeof *error) *error = 0xFFFFFFFF;
  close(report[0]);
  return pid;
}

void killChild(pid_t pid) {
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

TEST_F(Mutexes, LiveWhileAnyProcessHoldsAHandle) {
  DWORD childError;
  pid_t first = holdInChild("TestMutexD", &childError);
  ASSERT_GT(first, 0);
  EXPECT_EQ(childError, static_cast<DWORD>(ERROR_SUCCESS));

  DWORD error;
  HANDLE mine = create("TestMutexD", TRUE, &error);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_ALREADY_EXISTS));

  // The creator dies; this process's handle keeps the name alive.
  killChild(first);
  pid_t second = holdInChild("TestMutexD", &childError);
  EXPECT_EQ(childError, static_cast<DWORD>(ERROR_ALREADY_EXISTS));

  // Now only the second child holds it; when it dies the name is free.
  CloseHandle(mine);
  killChild(second);
  HANDLE fresh = create("TestMutexD", TRUE, &error);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_SUCCESS));
  CloseHandle(fresh);
}

}  // namespace
