// Mutexes of the POSIX layer: CreateMutexA and ReleaseMutex (CloseHandle is
// in kernel_handles.cpp).
//
// A named mutex exists as long as some process of the user holds a handle to
// it, as in Win32. Each process that holds one keeps a shared flock() on a
// file named after the mutex in the user's private run-time folder; the
// kernel drops the lock when the last handle is closed or the process dies,
// so a crashed holder releases the mutex. CreateMutexA tells "new" from
// "already exists" by trying for an exclusive lock first; a second lock file
// (the guard) keeps two processes from both taking the name as new in the
// moment between the exclusive try and the shared lock. The lock files stay
// behind in the folder; only the locks on them matter.
//
// Less than Win32: ownership is only known inside this process, since the
// layer has no wait functions (WaitForSingleObject); ReleaseMutex checks it
// for the calling thread. The "Global\" and "Local\" name prefixes are both
// taken as the user's own namespace, and security attributes are ignored.
#include <windows.h>

#include <ctype.h>
#include <fcntl.h>
#include <pthread.h>
#include <stdio.h>
#include <string.h>
#include <sys/file.h>
#include <unistd.h>

#include <map>
#include <mutex>
#include <string>

#include "platform/internal/trace.h"
#include "platform/kernel/kernel_handles.h"
#include "platform/kernel/runtime_dir.h"

namespace {

struct MutexObject {
  std::string name;    // empty for an unnamed mutex
  int lockFd = -1;     // the shared lock that keeps the name alive
  int handles = 0;     // open handles in this process
  bool owned = false;
  pthread_t owner;
  int recursion = 0;
};

struct Mutexes {
  std::mutex lock;
  std::map<std::string, MutexObject*> byName;
};

// Never destroyed, like the handle table.
Mutexes& mutexes() {
  static Mutexes* m = new Mutexes;
  return *m;
}

// The name as a file name: letters, digits, '-', '_' and '.' stay, every
// other byte becomes %XX.
std::string fileNameFor(const std::string& name) {
  std::string out = "mutex-";
  for (unsigned char c : name) {
    if (isalnum(c) || c == '-' || c == '_' || c == '.') {
      out += char(c);
    } else {
      char hex[4];
      snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    }
  }
  return out;
}

int openLockFile(const std::string& path) {
  return open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
}

// Takes a shared lock on the name's lock file: the returned descriptor holds
// it. `existed` tells whether another process held the name already. -1 when
// the files cannot be made.
int lockName(const std::string& name, bool* existed) {
  std::string dir = privateRuntimeDirectory();
  if (dir.empty()) return -1;
  std::string path = dir + "/" + fileNameFor(name);
  int guard = openLockFile(path + ".guard");
  if (guard < 0) return -1;
  flock(guard, LOCK_EX);
  int fd = openLockFile(path);
  if (fd >= 0) {
    *existed = flock(fd, LOCK_EX | LOCK_NB) != 0;
    flock(fd, LOCK_SH);
  }
  flock(guard, LOCK_UN);
  close(guard);
  return fd;
}

void releaseMutex(void* object) {
  MutexObject* m = static_cast<MutexObject*>(object);
  {
    std::lock_guard<std::mutex> guard(mutexes().lock);
    if (--m->handles > 0) return;
    if (!m->name.empty()) mutexes().byName.erase(m->name);
  }
  if (traceEnabled() && !m->name.empty()) traceEvent("closemutex %s", m->name.c_str());
  if (m->lockFd >= 0) close(m->lockFd);
  delete m;
}

void takeOwnership(MutexObject* m) {
  m->owned = true;
  m->owner = pthread_self();
  m->recursion = 1;
}

// Win32 keeps "Global\" and "Local\" as namespaces; both are the user's here.
std::string withoutNamespace(const char* name) {
  if (strncmp(name, "Global\\", 7) == 0) return name + 7;
  if (strncmp(name, "Local\\", 6) == 0) return name + 6;
  return name;
}

}  // namespace

HANDLE WINAPI CreateMutexA(LPSECURITY_ATTRIBUTES, BOOL initialOwner, LPCSTR name) {
  if (!name || !*name) {
    MutexObject* m = new MutexObject;
    m->handles = 1;
    if (initialOwner) takeOwnership(m);
    SetLastError(ERROR_SUCCESS);
    return addKernelHandle(KernelObjectKind::Mutex, m, releaseMutex);
  }
  if (strlen(name) >= MAX_PATH) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return nullptr;
  }
  std::string key = withoutNamespace(name);
  Mutexes& all = mutexes();
  std::lock_guard<std::mutex> guard(all.lock);

  auto found = all.byName.find(key);
  if (found != all.byName.end()) {
    // Another handle of this process: the same object; initialOwner is
    // ignored for an existing mutex, as in Win32.
    found->second->handles++;
    if (traceEnabled()) traceEvent("createmutex %s exists", key.c_str());
    HANDLE handle = addKernelHandle(KernelObjectKind::Mutex, found->second, releaseMutex);
    SetLastError(ERROR_ALREADY_EXISTS);
    return handle;
  }

  bool existed = false;
  int fd = lockName(key, &existed);
  if (fd < 0) {
    fprintf(stderr, "quillon: cannot create the lock file of mutex \"%s\"\n", key.c_str());
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  MutexObject* m = new MutexObject;
  m->name = key;
  m->lockFd = fd;
  m->handles = 1;
  if (initialOwner && !existed) takeOwnership(m);
  all.byName[key] = m;
  if (traceEnabled()) traceEvent("createmutex %s %s", key.c_str(), existed ? "exists" : "new");
  HANDLE handle = addKernelHandle(KernelObjectKind::Mutex, m, releaseMutex);
  SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return handle;
}

BOOL WINAPI ReleaseMutex(HANDLE handle) {
  MutexObject* m = static_cast<MutexObject*>(kernelHandleObject(handle, KernelObjectKind::Mutex));
  if (!m) return FALSE;
  std::lock_guard<std::mutex> guard(mutexes().lock);
  if (!m->owned || !pthread_equal(m->owner, pthread_self())) {
    SetLastError(ERROR_NOT_OWNER);
    return FALSE;
  }
  if (--m->recursion == 0) m->owned = false;
  return TRUE;
}
