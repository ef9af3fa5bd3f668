// The URLs of settings.urlList, listed the way the program lists a queue:
// one full rotation, which leaves the list as it was.
#ifndef QUILLON_TESTS_SUPPORT_URL_LIST_H
#define QUILLON_TESTS_SUPPORT_URL_LIST_H

#include <string>
#include <vector>

#include "settings/settings.h"

inline std::vector<std::string> currentUrls() {
  std::vector<std::string> out;
  char buf[512];
  for (int i = 0; i < settings.urlList.count(); i++) {
    settings.urlList.popFront(buf, 511);
    out.push_back(buf);
    settings.urlList.append(buf);
  }
  return out;
}

#endif
