// Temporary directories and files for tests; the few calls that differ
// between systems are in temp_dir_posix.cpp and temp_dir_windows.cpp.
#include "tests/support/temp_dir.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "tests/support/temp_dir_os.h"

TempDir::TempDir() : path_(makeTempDirectory()) {}

TempDir::~TempDir() {
  if (!path_.empty()) removeTree(path_);
}

std::string TempDir::file(const std::string& name) const { return path_ + pathSeparator + name; }

std::string TempDir::write(const std::string& name, const std::string& bytes) const {
  std::string full = file(name);
  std::ofstream out(full, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return full;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::string();
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

bool fileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name_(name) {
  const char* old = getenv(name);
  hadOld_ = old != nullptr;
  if (old) old_ = old;
  setEnvironment(name, value.c_str());
}

ScopedEnv::~ScopedEnv() { setEnvironment(name_.c_str(), hadOld_ ? old_.c_str() : nullptr); }
