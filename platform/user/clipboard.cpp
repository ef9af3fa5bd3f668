// The clipboard's text (clipboard.h): the driver's, when it has a clipboard
// entry, else a text kept in the process.
#include "platform/user/clipboard.h"

#include "platform/drivers/driver.h"

namespace {

std::string& processClipboard() {
  static std::string text;
  return text;
}

}  // namespace

std::string clipboardText() {
  std::string text;
  if (displayDriver().clipboardText(&text)) return text;
  return processClipboard();
}

void setClipboardText(const std::string& text) {
  processClipboard() = text;
  displayDriver().setClipboardText(text.c_str());
}
