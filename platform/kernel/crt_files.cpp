// Low-level file calls of the Microsoft C runtime for the POSIX layer
// (<io.h>): _open, _write, _close over open, write and close.
#include <io.h>

#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int posixFlags(int flags) {
  int out = 0;
  switch (flags & (_O_WRONLY | _O_RDWR)) {
    case _O_WRONLY: out = O_WRONLY; break;
    case _O_RDWR: out = O_RDWR; break;
    default: out = O_RDONLY; break;
  }
  if (flags & _O_APPEND) out |= O_APPEND;
  if (flags & _O_CREAT) out |= O_CREAT;
  if (flags & _O_TRUNC) out |= O_TRUNC;
  if (flags & _O_EXCL) out |= O_EXCL;
  if (flags & _O_NOINHERIT) out |= O_CLOEXEC;
  return out;
}

}  // namespace

int _open(const char* path, int flags, ...) {
  mode_t mode = 0;
  if (flags & _O_CREAT) {
    va_list args;
    va_start(args, flags);
    int permission = va_arg(args, int);
    va_end(args);
    if (permission & _S_IREAD) mode |= S_IRUSR;
    if (permission & _S_IWRITE) mode |= S_IWUSR;
  }
  int fd;
  do {
    fd = open(path, posixFlags(flags), mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

int _write(int fd, const void* data, unsigned int count) {
  const char* bytes = static_cast<const char*>(data);
  unsigned int done = 0;
  while (done < count) {
    ssize_t n = write(fd, bytes + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    done += unsigned(n);
  }
  return int(done);
}

int _close(int fd) { return close(fd); }
