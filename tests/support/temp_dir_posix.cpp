// The POSIX side of the test support's temporary directories: mkdtemp in
// $TMPDIR (or /tmp), nftw to remove, setenv/unsetenv.
#include <ftw.h>
#include <stdio.h>
#include <stdlib.h>

#include "tests/support/temp_dir_os.h"

namespace {
int removeEntry(const char* path, const struct stat*, int, struct FTW*) {
  ::remove(path);
  return 0;
}
}  // namespace

const char pathSeparator = '/';

std::string makeTempDirectory() {
  const char* base = getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/quillon-test-XXXXXX";
  char* made = mkdtemp(&pattern[0]);
  return made ? made : "";
}

void removeTree(const std::string& path) {
  nftw(path.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
}

void setEnvironment(const char* name, const char* value) {
  if (value)
    setenv(name, value, 1);
  else
    unsetenv(name);
}
