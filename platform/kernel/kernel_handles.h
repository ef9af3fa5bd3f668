// Kernel object handles of the layer: the table from a HANDLE to the object
// behind it and the function that releases the object, which CloseHandle
// runs. The layer has four kinds: named mutexes, open registry keys, threads
// and open files.
#ifndef QUILLON_PLATFORM_KERNEL_KERNEL_HANDLES_H
#define QUILLON_PLATFORM_KERNEL_KERNEL_HANDLES_H

#include <windows.h>

enum class KernelObjectKind { Mutex, RegistryKey, Thread, File };

// Releases the object when its handle is closed.
typedef void (*ReleaseKernelObject)(void* object);

// A new handle for the object. Handle values are multiples of 4, as in
// Win32, and never reused within a process.
HANDLE addKernelHandle(KernelObjectKind kind, void* object, ReleaseKernelObject release);

// The object behind a handle of that kind; null (and ERROR_INVALID_HANDLE)
// for anything else.
void* kernelHandleObject(HANDLE handle, KernelObjectKind kind);

#endif
