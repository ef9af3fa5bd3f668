// Test support for the dialog conformance tests (dialog_support.h).
#include "tests/platform/user/dialog_support.h"

#include <string.h>

namespace {

const UINT kEndFirstHop = WM_USER + 100;
const UINT kEndSecondHop = WM_USER + 101;

DialogRun* current = nullptr;

struct Words {
  std::vector<WORD> words;
  void word(WORD w) { words.push_back(w); }
  void dword(DWORD d) {
    word(LOWORD(d));
    word(HIWORD(d));
  }
  void text(const char* text) {
    for (const char* c = text; *c; ++c) word(static_cast<unsigned char>(*c));
    word(0);
  }
};

INT_PTR CALLBACK recordingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!current) return FALSE;
  current->received.push_back(DialogMessage{message, wParam, lParam});
  if (message == WM_INITDIALOG) return current->onInit ? current->onInit(dialog) : FALSE;
  bool handled = current->onMessage && current->onMessage(dialog, message, wParam, lParam);
  if (message == kEndFirstHop) {
    PostMessageA(dialog, kEndSecondHop, wParam, 0);
    return TRUE;
  }
  if (message == kEndSecondHop) {
    EndDialog(dialog, INT_PTR(wParam));
    return TRUE;
  }
  return handled;
}

}  // namespace

std::vector<DWORD> dialogTemplate(DWORD style, short cx, short cy, const char* caption,
                                  const std::vector<TemplateItem>& items) {
  Words w;
  w.dword(style | DS_SETFONT);
  w.dword(0);
  w.word(WORD(items.size()));
  w.word(0);
  w.word(0);
  w.word(WORD(cx));
  w.word(WORD(cy));
  w.word(0);  // no menu
  w.word(0);  // the dialog class
  w.text(caption);
  w.word(8);
  w.text("MS Sans Serif");
  for (const TemplateItem& item : items) {
    if (w.words.size() % 2) w.word(0);
    w.dword(item.style | WS_CHILD | WS_VISIBLE);
    w.dword(0);
    w.word(WORD(item.x));
    w.word(WORD(item.y));
    w.word(WORD(item.cx));
    w.word(WORD(item.cy));
    w.word(WORD(item.id));
    w.text(item.className);
    w.text(item.text);
    w.word(0);
  }
  if (w.words.size() % 2) w.word(0);
  std::vector<DWORD> aligned(w.words.size() / 2);
  memcpy(aligned.data(), w.words.data(), w.words.size() * sizeof(WORD));
  return aligned;
}

INT_PTR DialogRun::run(const std::vector<DWORD>& bytes, HWND owner) {
  DialogRun* outer = current;
  current = this;
  INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr),
                                           reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), owner,
                                           recordingDialogProc, 0);
  current = outer;
  return result;
}

std::vector<int> DialogRun::clicked() const {
  std::vector<int> ids;
  for (const DialogMessage& m : received)
    if (m.message == WM_COMMAND && HIWORD(m.wParam) == BN_CLICKED) ids.push_back(LOWORD(m.wParam));
  return ids;
}

void endDialogLater(HWND dialog, INT_PTR result) {
  PostMessageA(dialog, kEndFirstHop, WPARAM(result), 0);
}
