// file: URLs to their files, and the look at what the file is (file_url.h).
//
// The path comes from libcurl's own URL parser, percent-decoded, so it is
// the file libcurl would open. The file is opened with CreateFileA for
// reading, which never blocks on a FIFO in the layer and cannot open a
// folder, and GetFileType tells a disk file from a pipe or a device.
#include "feed/file_url.h"

// libcurl's header brings Windows Sockets 2, which must come before
// windows.h on Windows.
#include <curl/curl.h>
#include <windows.h>

#include <ctype.h>
#include <strings.h>

#include <string>

namespace {

// The file name of the URL's path, as the system names files. On Windows,
// "/C:/dir/file" names "C:/dir/file", as libcurl reads it there.
std::string fileNameOfPath(const char* path) {
  std::string name = path;
#ifdef _WIN32
  if (name.size() >= 3 && name[0] == '/' && isalpha(static_cast<unsigned char>(name[1])) &&
      (name[2] == ':' || name[2] == '|')) {
    name.erase(0, 1);
    if (name[1] == '|') name[1] = ':';
  }
#endif
  return name;
}

}  // namespace

bool isFileUrl(const char* url) { return strncasecmp(url, "file:", 5) == 0; }

bool fileUrlNamesRegularFile(const char* url) {
  CURLU* parsed = curl_url();
  if (parsed == nullptr) return false;
  char* path = nullptr;
  bool regular = false;
  if (curl_url_set(parsed, CURLUPART_URL, url, CURLU_NON_SUPPORT_SCHEME) == CURLUE_OK &&
      curl_url_get(parsed, CURLUPART_PATH, &path, CURLU_URLDECODE) == CURLUE_OK) {
    std::string name = fileNameOfPath(path);
    HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      regular = GetFileType(file) == FILE_TYPE_DISK;
      CloseHandle(file);
    }
  }
  curl_free(path);
  curl_url_cleanup(parsed);
  return regular;
}
