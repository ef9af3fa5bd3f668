// A settings test runs against a private Windows directory holding (or not)
// a real quillonscr.ini, and starts from a blank Settings record.
#ifndef QUILLON_TESTS_SETTINGS_SETTINGS_FIXTURE_H
#define QUILLON_TESTS_SETTINGS_SETTINGS_FIXTURE_H

#include <gtest/gtest.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "tests/support/temp_dir.h"
#include "tests/support/url_list.h"

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    windowsDir_.reset(new ScopedEnv("QUILLON_WINDOWS_DIR", dir_.path()));
    blankSettings();
  }

  static void blankSettings() {
    settings.urlList.clear();
    settings.fgColor = settings.bgColor = settings.lineScrollDelay = settings.fetchTimeout = 0;
    settings.typeDelay = settings.indent = settings.fontSize = 0;
    memset(settings.fontName, 0, sizeof settings.fontName);
    memset(settings.password, 0, sizeof settings.password);
  }

  std::string iniPath() const { return dir_.file("quillonscr.ini"); }
  void writeIni(const std::string& text) const { dir_.write("quillonscr.ini", text); }
  std::string readIni() const { return readFile(iniPath()); }

  TempDir dir_;
  std::unique_ptr<ScopedEnv> windowsDir_;
};

#endif
