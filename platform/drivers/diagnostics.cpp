// The diagnostics channel of the layer (platform/internal/diagnostics.h).
#include "platform/internal/diagnostics.h"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <set>
#include <string>

namespace {

bool channelOn(const char* channel) {
  const char* wanted = getenv("QUILLON_DEBUG");
  if (!wanted || !*wanted) return false;
  std::string list = std::string(",") + wanted + ",";
  return list.find(",all,") != std::string::npos ||
         list.find("," + std::string(channel) + ",") != std::string::npos;
}

}  // namespace

void layerDiagnostic(const char* channel, const char* format, ...) {
  if (!channelOn(channel)) return;
  char text[512];
  va_list args;
  va_start(args, format);
  vsnprintf(text, sizeof text, format, args);
  va_end(args);
  static std::set<std::string> said;
  if (!said.insert(text).second) return;
  fprintf(stderr, "quillon %s: %s\n", channel, text);
}
