// The kernel handle table (kernel_handles.h) and CloseHandle.
#include "platform/kernel/kernel_handles.h"

#include <map>
#include <mutex>

namespace {

struct Entry {
  KernelObjectKind kind;
  void* object;
  ReleaseKernelObject release;
};

struct Table {
  std::mutex lock;
  std::map<uintptr_t, Entry> entries;
  uintptr_t next = 0x100;  // clear of null and of small integers
};

// Never destroyed: a handle that stays open until the process ends (as
// Win32 allows) keeps its object reachable, and calls made while the
// process exits still find the table.
Table& table() {
  static Table* t = new Table;
  return *t;
}

}  // namespace

HANDLE addKernelHandle(KernelObjectKind kind, void* object, ReleaseKernelObject release) {
  Table& t = table();
  std::lock_guard<std::mutex> guard(t.lock);
  uintptr_t value = t.next;
  t.next += 4;
  t.entries[value] = Entry{kind, object, release};
  return reinterpret_cast<HANDLE>(value);
}

void* kernelHandleObject(HANDLE handle, KernelObjectKind kind) {
  Table& t = table();
  std::lock_guard<std::mutex> guard(t.lock);
  auto it = t.entries.find(reinterpret_cast<uintptr_t>(handle));
  if (it == t.entries.end() || it->second.kind != kind) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return it->second.object;
}

// Win32 also raises an exception for an invalid handle when a debugger is
// attached; here it only fails with ERROR_INVALID_HANDLE.
BOOL WINAPI CloseHandle(HANDLE handle) {
  Entry entry;
  {
    Table& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    auto it = t.entries.find(reinterpret_cast<uintptr_t>(handle));
    if (it == t.entries.end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    entry = it->second;
    t.entries.erase(it);
  }
  entry.release(entry.object);
  return TRUE;
}
