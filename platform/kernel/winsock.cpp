// Windows Sockets start and stop for the POSIX layer: WSAStartup, WSACleanup
// and WSAGetLastError. POSIX sockets need no start-up, so these only check
// the version asked for and count, as Win32 does: every successful
// WSAStartup needs one WSACleanup, and a WSACleanup without a start fails
// with WSANOTINITIALISED. Both are written to the trace with the count.
#include <winsock2.h>

#include <stdio.h>
#include <string.h>

#include "platform/internal/trace.h"

namespace {

int startCount = 0;
int lastSocketError = 0;

const WORD kHighestVersion = MAKEWORD(2, 2);

}  // namespace

int WINAPI WSAStartup(WORD versionRequested, LPWSADATA data) {
  BYTE major = LOBYTE(versionRequested);
  BYTE minor = HIBYTE(versionRequested);
  if (major == 0) return WSAVERNOTSUPPORTED;
  if (!data) return WSAEFAULT;
  memset(data, 0, sizeof *data);
  bool above = major > 2 || (major == 2 && minor > 2);
  data->wVersion = above ? kHighestVersion : versionRequested;
  data->wHighVersion = kHighestVersion;
  snprintf(data->szDescription, sizeof data->szDescription, "WinSock 2.0");
  snprintf(data->szSystemStatus, sizeof data->szSystemStatus, "Running");
  startCount++;
  if (traceEnabled()) traceEvent("wsastartup %u.%u count=%d", major, minor, startCount);
  return 0;
}

int WINAPI WSACleanup(void) {
  if (startCount == 0) {
    lastSocketError = WSANOTINITIALISED;
    if (traceEnabled()) traceEvent("wsacleanup notinitialised");
    return SOCKET_ERROR;
  }
  startCount--;
  if (traceEnabled()) traceEvent("wsacleanup count=%d", startCount);
  return 0;
}

int WINAPI WSAGetLastError(void) { return lastSocketError; }
