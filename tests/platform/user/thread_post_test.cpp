// Conformance tests of the calls a program makes to work beside its message
// loop: CreateThread, WaitForSingleObject and GetExitCodeThread on a
// thread's handle; PostMessageA from that thread, which wakes a GetMessageA
// that waits with nothing else to come; and CreateFileA with GetFileType,
// which tell a regular file from a folder before anything reads it.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "tests/platform/user/test_window.h"
#include "tests/support/temp_dir.h"

namespace {

const UINT kDoneMessage = WM_APP + 7;

struct Work {
  HWND window = nullptr;
  std::atomic<bool> release{false};
};

DWORD WINAPI postWhenReleased(LPVOID parameter) {
  auto* work = static_cast<Work*>(parameter);
  while (!work->release.load()) {
  }
  PostMessageA(work->window, kDoneMessage, 42, 43);
  return 7;
}

TEST(ThreadPost, AThreadsPostWakesTheWaitingLoop) {
  TestWindow window(WS_POPUP, 0, 0, 10, 10);
  Work work;
  work.window = window;
  HANDLE thread = CreateThread(nullptr, 0, postWhenReleased, &work, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  DWORD code = 0;
  EXPECT_EQ(WaitForSingleObject(thread, 0), DWORD(WAIT_TIMEOUT));
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, DWORD(STILL_ACTIVE));

  work.release = true;
  MSG m = {};
  ASSERT_GT(GetMessageA(&m, nullptr, kDoneMessage, kDoneMessage), 0);
  EXPECT_EQ(m.hwnd, static_cast<HWND>(window));
  EXPECT_EQ(m.wParam, WPARAM(42));
  EXPECT_EQ(m.lParam, LPARAM(43));

  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), DWORD(WAIT_OBJECT_0));
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 7u);
  EXPECT_TRUE(CloseHandle(thread));
  EXPECT_EQ(WaitForSingleObject(thread, 0), DWORD(WAIT_FAILED));
}

TEST(ThreadPost, FileTypesOfAFileAndAFolder) {
  TempDir dir;
  std::string file = dir.write("plain.txt", "text");
  HANDLE opened = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(opened, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetFileType(opened), DWORD(FILE_TYPE_DISK));
  EXPECT_TRUE(CloseHandle(opened));

  // A folder needs FILE_FLAG_BACKUP_SEMANTICS, which the program never asks.
  HANDLE folder = CreateFileA(dir.path().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_EQ(folder, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));

  HANDLE missing = CreateFileA(dir.file("missing.txt").c_str(), GENERIC_READ, FILE_SHARE_READ,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_EQ(missing, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
}

}  // namespace
