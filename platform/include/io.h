// <io.h> of the POSIX layer: the runtime library's low-level file calls as
// the Microsoft C runtime names them (_open, _write, _close), with the flag
// and permission names that Windows keeps in <fcntl.h> and <sys/stat.h>.
// The application includes <io.h>, <fcntl.h> and <sys/stat.h> as on Windows;
// here the system's own <fcntl.h> and <sys/stat.h> come in unchanged and the
// underscore names are defined below.
#ifndef QUILLON_PLATFORM_IO_H
#define QUILLON_PLATFORM_IO_H

// _open flags, with the values of the Microsoft C runtime.
#define _O_RDONLY 0x0000
#define _O_WRONLY 0x0001
#define _O_RDWR 0x0002
#define _O_APPEND 0x0008
#define _O_CREAT 0x0100
#define _O_TRUNC 0x0200
#define _O_EXCL 0x0400
#define _O_TEXT 0x4000
#define _O_BINARY 0x8000
#define _O_NOINHERIT 0x0080

// Permission of a file that _open creates.
#define _S_IREAD 0x0100
#define _S_IWRITE 0x0080

#ifdef __cplusplus
extern "C" {
#endif

// Opens or creates a file; -1 on failure with errno set. A file created here
// is readable and writable by its owner only with _S_IREAD | _S_IWRITE (the
// process's umask still applies). _O_TEXT and _O_BINARY are accepted and
// change nothing: POSIX files have no text mode, so "\n" is written as it is,
// where the Windows runtime writes "\r\n".
int _open(const char* path, int flags, ...);
// -1 on failure, else the bytes written.
int _write(int fd, const void* data, unsigned int count);
int _close(int fd);

#ifdef __cplusplus
}
#endif

#endif
