// Threads of the program: CreateThread, WaitForSingleObject and
// GetExitCodeThread on their handles (CloseHandle is kernel_handles.cpp's).
//
// A thread is a detached POSIX thread; its handle and the thread itself
// share the record that says whether it has ended, so either may go first,
// as in Win32. Only threads can be waited for here: the layer's other
// kernel objects (mutexes, registry keys) are never waited on by the
// program. Running threads are counted for the display drivers
// (platform/drivers/loop_wake.h).
#include <windows.h>

#include <pthread.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform/drivers/loop_wake.h"
#include "platform/internal/diagnostics.h"
#include "platform/kernel/kernel_handles.h"

namespace {

struct ThreadRecord {
  LPTHREAD_START_ROUTINE start = nullptr;
  LPVOID parameter = nullptr;
  std::mutex lock;
  std::condition_variable endedSignal;
  bool ended = false;
  DWORD exitCode = STILL_ACTIVE;
};

// What the handle holds: its share of the record.
struct ThreadHandle {
  std::shared_ptr<ThreadRecord> record;
};

void* runThread(void* argument) {
  std::unique_ptr<std::shared_ptr<ThreadRecord>> own(
      static_cast<std::shared_ptr<ThreadRecord>*>(argument));
  ThreadRecord& record = **own;
  DWORD code = record.start(record.parameter);
  {
    std::lock_guard<std::mutex> guard(record.lock);
    record.ended = true;
    record.exitCode = code;
  }
  record.endedSignal.notify_all();
  noteThreadEnded();
  return nullptr;
}

void releaseThreadHandle(void* object) { delete static_cast<ThreadHandle*>(object); }

std::shared_ptr<ThreadRecord> recordOf(HANDLE handle) {
  auto* held = static_cast<ThreadHandle*>(kernelHandleObject(handle, KernelObjectKind::Thread));
  return held ? held->record : nullptr;
}

}  // namespace

HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T stackSize, LPTHREAD_START_ROUTINE start,
                           LPVOID parameter, DWORD flags, LPDWORD threadId) {
  if (start == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (flags != 0)
    layerDiagnostic("kernel", "CreateThread: creation flags 0x%lX are not provided; the thread "
                    "starts at once", static_cast<unsigned long>(flags));
  auto record = std::make_shared<ThreadRecord>();
  record->start = start;
  record->parameter = parameter;

  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
  if (stackSize > 0) pthread_attr_setstacksize(&attributes, stackSize);
  auto* share = new std::shared_ptr<ThreadRecord>(record);
  noteThreadStarted();
  pthread_t thread;
  int failed = pthread_create(&thread, &attributes, runThread, share);
  pthread_attr_destroy(&attributes);
  if (failed) {
    delete share;
    noteThreadEnded();
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  static DWORD nextId = 0x1000;
  if (threadId) *threadId = __atomic_add_fetch(&nextId, 4, __ATOMIC_RELAXED);
  return addKernelHandle(KernelObjectKind::Thread, new ThreadHandle{record}, releaseThreadHandle);
}

DWORD WINAPI WaitForSingleObject(HANDLE object, DWORD milliseconds) {
  std::shared_ptr<ThreadRecord> record = recordOf(object);
  if (record == nullptr) {
    if (kernelHandleObject(object, KernelObjectKind::Mutex) ||
        kernelHandleObject(object, KernelObjectKind::RegistryKey))
      layerDiagnostic("kernel", "WaitForSingleObject: only threads can be waited for");
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  std::unique_lock<std::mutex> guard(record->lock);
  if (milliseconds == INFINITE) {
    record->endedSignal.wait(guard, [&record] { return record->ended; });
    return WAIT_OBJECT_0;
  }
  bool ended = record->endedSignal.wait_for(guard, std::chrono::milliseconds(milliseconds),
                                            [&record] { return record->ended; });
  return ended ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

BOOL WINAPI GetExitCodeThread(HANDLE thread, LPDWORD exitCode) {
  std::shared_ptr<ThreadRecord> record = recordOf(thread);
  if (record == nullptr || exitCode == nullptr) {
    if (record) SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard<std::mutex> guard(record->lock);
  *exitCode = record->exitCode;
  return TRUE;
}
