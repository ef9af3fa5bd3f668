// Prints the version resource of a Windows program as Explorer reads it,
// for the Wine checks of scripts/test-windows: GetFileVersionInfoA on the
// file, then VerQueryValueA for the fixed file and product versions and the
// strings of the first translation. One "name=value" line each; exit code 1
// when the file has no version resource.
//
//   version_info.exe FILE
#include <windows.h>

#include <stdio.h>

#include <vector>

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: version_info FILE\n");
    return 2;
  }
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(argv[1], &ignored);
  if (size == 0) {
    printf("no version resource\n");
    return 1;
  }
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(argv[1], 0, size, data.data())) {
    printf("GetFileVersionInfoA failed\n");
    return 1;
  }
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
    printf("FILEVERSION=%u.%u.%u.%u\n", unsigned(HIWORD(fixed->dwFileVersionMS)),
           unsigned(LOWORD(fixed->dwFileVersionMS)), unsigned(HIWORD(fixed->dwFileVersionLS)),
           unsigned(LOWORD(fixed->dwFileVersionLS)));
    printf("PRODUCTVERSION=%u.%u.%u.%u\n", unsigned(HIWORD(fixed->dwProductVersionMS)),
           unsigned(LOWORD(fixed->dwProductVersionMS)), unsigned(HIWORD(fixed->dwProductVersionLS)),
           unsigned(LOWORD(fixed->dwProductVersionLS)));
  }
  WORD* translation = nullptr;
  if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translation), &length) ||
      length < 4) {
    printf("no translation\n");
    return 1;
  }
  const char* names[] = {"FileDescription", "ProductName",   "FileVersion",
                         "ProductVersion",  "LegalCopyright", "OriginalFilename"};
  for (const char* name : names) {
    char path[128];
    snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", translation[0], translation[1],
             name);
    char* value = nullptr;
    if (VerQueryValueA(data.data(), path, reinterpret_cast<void**>(&value), &length) && value)
      printf("%s=%s\n", name, value);
  }
  return 0;
}
