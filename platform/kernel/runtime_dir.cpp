// The user's private run-time folder (runtime_dir.h).
#include "platform/kernel/runtime_dir.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/kernel/paths.h"

std::string privateRuntimeDirectory() {
  const char* runtime = getenv("XDG_RUNTIME_DIR");
  std::string dir = runtime && *runtime ? std::string(runtime) + "/quillon"
                                        : "/tmp/quillon-" + std::to_string(getuid());
  if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST && !makeDirectories(dir)) {
    fprintf(stderr, "quillon: cannot create the run-time folder %s\n", dir.c_str());
    return "";
  }
  struct stat st;
  if (lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid() ||
      (st.st_mode & 077) != 0) {
    fprintf(stderr, "quillon: %s is not a private folder of this user; not using it\n",
            dir.c_str());
    return "";
  }
  return dir;
}
