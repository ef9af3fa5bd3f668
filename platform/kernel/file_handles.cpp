// Opening an existing file to look at what it is: CreateFileA for reading
// and GetFileType (CloseHandle closes it, kernel_handles.cpp).
//
// The program opens files this way only to tell a regular file from a pipe
// or a device before anything reads it, so the open must never block: it
// uses O_NONBLOCK, which lets a FIFO without a writer open at once instead
// of waiting for one. As in Win32, a directory cannot be opened this way
// (ERROR_ACCESS_DENIED). Only GENERIC_READ with OPEN_EXISTING is provided;
// anything else fails with ERROR_CALL_NOT_IMPLEMENTED and a diagnostic.
#include <windows.h>

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/internal/diagnostics.h"
#include "platform/kernel/kernel_handles.h"

namespace {

struct OpenFile {
  int fd;
};

void closeFile(void* object) {
  auto* file = static_cast<OpenFile*>(object);
  close(file->fd);
  delete file;
}

DWORD errorOfErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    default: return ERROR_ACCESS_DENIED;
  }
}

}  // namespace

HANDLE WINAPI CreateFileA(LPCSTR fileName, DWORD access, DWORD, LPSECURITY_ATTRIBUTES,
                          DWORD creation, DWORD, HANDLE) {
  if (fileName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  if (access != GENERIC_READ || creation != OPEN_EXISTING) {
    layerDiagnostic("kernel", "CreateFileA: only opening an existing file for reading is "
                    "provided");
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return INVALID_HANDLE_VALUE;
  }
  // Backslashes separate folders, as everywhere in the layer; a relative
  // name is relative to the working directory, as in Win32.
  std::string path = fileName;
  for (char& c : path)
    if (c == '\\') c = '/';
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    SetLastError(errorOfErrno(errno));
    return INVALID_HANDLE_VALUE;
  }
  struct stat info;
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    close(fd);
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  return addKernelHandle(KernelObjectKind::File, new OpenFile{fd}, closeFile);
}

// Win32 calls a disk file and a disk device FILE_TYPE_DISK, a console or
// serial device FILE_TYPE_CHAR, a pipe or a socket FILE_TYPE_PIPE.
DWORD WINAPI GetFileType(HANDLE file) {
  auto* open = static_cast<OpenFile*>(kernelHandleObject(file, KernelObjectKind::File));
  struct stat info;
  if (open == nullptr || fstat(open->fd, &info) != 0) return FILE_TYPE_UNKNOWN;
  SetLastError(NO_ERROR);
  if (S_ISREG(info.st_mode) || S_ISBLK(info.st_mode)) return FILE_TYPE_DISK;
  if (S_ISCHR(info.st_mode)) return FILE_TYPE_CHAR;
  if (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode)) return FILE_TYPE_PIPE;
  return FILE_TYPE_UNKNOWN;
}
