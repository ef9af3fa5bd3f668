// cleanupOnDestroy in process, with the real GDI and kernel pieces of the
// layer: every object of the run is released, including the scroll bitmap
// while a wrap still holds it selected into the scratch context.
#include "host/cleanup.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include "display/terminal_surface.h"
#include "host/saver_state.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(CleanupOnDestroy, ReleasesBitmapsBannerAndMutex) {
  TempDir dir;
  ScopedEnv runtime("XDG_RUNTIME_DIR", dir.path());
  HBITMAP screen = CreateBitmap(64, 32, 1, 32, nullptr);
  HBITMAP scroll = CreateBitmap(64, 32, 1, 32, nullptr);
  screenBitmap = screen;
  scrollBitmap = scroll;
  // A wrap scrolled through scratchDC and no scroll tick has come since.
  scratchDC = CreateCompatibleDC(nullptr);
  SelectObject(scratchDC, scroll);
  std::string banner = dir.write("quillon1", "banner");
  previewFilePath = strdup(banner.c_str());
  singleInstanceMutex = CreateMutexA(nullptr, TRUE, "QuillonCleanupTest");
  ASSERT_NE(singleInstanceMutex, nullptr);
  ReleaseMutex(singleInstanceMutex);

  cleanupOnDestroy();

  EXPECT_EQ(screenBitmap, nullptr);
  EXPECT_EQ(scrollBitmap, nullptr);
  EXPECT_EQ(scratchDC, nullptr);
  EXPECT_EQ(GetObjectType(screen), 0u);  // destroyed
  EXPECT_EQ(GetObjectType(scroll), 0u);  // destroyed, though it was selected
  EXPECT_EQ(previewFilePath, nullptr);
  EXPECT_FALSE(fileExists(banner));
  EXPECT_EQ(singleInstanceMutex, nullptr);
  // The name is free again: nobody holds it any more.
  HANDLE again = CreateMutexA(nullptr, TRUE, "QuillonCleanupTest");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  CloseHandle(again);
}

// In Windowed mode there is no banner file and no mutex; the clean-up skips
// them and still ends without complaint.
TEST(CleanupOnDestroy, WithoutBannerOrMutex) {
  screenBitmap = CreateBitmap(8, 8, 1, 32, nullptr);
  scrollBitmap = CreateBitmap(8, 8, 1, 32, nullptr);
  previewFilePath = nullptr;
  singleInstanceMutex = nullptr;
  cleanupOnDestroy();
  EXPECT_EQ(screenBitmap, nullptr);
  EXPECT_EQ(scrollBitmap, nullptr);
}

}  // namespace
