// Dialog templates as in-memory DLGTEMPLATE bytes, which is what Win32's
// resource compiler stores and what the layer's dialog manager reads: those
// of the program's resources (the table that the build makes from
// resources/quillon.rc, platform/internal/resource_dialogs.h), and those the
// layer's own dialogs (the colour picker) describe in the same table form.
#include <string.h>
#include <strings.h>

#include "platform/kernel/codepage1252.h"
#include "platform/internal/resource_dialogs.h"
#include "platform/user/dialog.h"

namespace {

struct Writer {
  std::vector<WORD> words;

  void word(WORD w) { words.push_back(w); }
  void dword(DWORD d) {
    word(LOWORD(d));
    word(HIWORD(d));
  }
  void text(const char* text) {
    for (const char* c = text ? text : ""; *c; ++c)
      word(WORD(unicodeFromWindows1252(static_cast<unsigned char>(*c))));
    word(0);
  }
  void alignToDword() {
    if (words.size() % 2) word(0);
  }
};

// The predefined classes are stored by ordinal, as the resource compiler
// stores them.
void writeClass(Writer& w, const char* name) {
  static const struct {
    const char* name;
    WORD ordinal;
  } kOrdinals[] = {{"BUTTON", 0x80}, {"EDIT", 0x81}, {"STATIC", 0x82},
                   {"LISTBOX", 0x83}, {"SCROLLBAR", 0x84}, {"COMBOBOX", 0x85}};
  for (const auto& known : kOrdinals) {
    if (strcasecmp(known.name, name) == 0) {
      w.word(0xFFFF);
      w.word(known.ordinal);
      return;
    }
  }
  w.text(name);
}

}  // namespace

std::vector<WORD> resourceDialogTemplate(unsigned id) {
  for (int i = 0; i < resourceDialogCount; ++i)
    if (resourceDialogs[i].id == id) return dialogTemplateBytes(resourceDialogs[i]);
  return {};
}

std::vector<WORD> dialogTemplateBytes(const ResourceDialog& dialog) {
  const ResourceDialog* found = &dialog;
  Writer w;
  w.dword(found->style);
  w.dword(found->exStyle);
  w.word(WORD(found->itemCount));
  w.word(WORD(found->x));
  w.word(WORD(found->y));
  w.word(WORD(found->cx));
  w.word(WORD(found->cy));
  w.word(0);  // no menu
  w.word(0);  // the dialog class
  w.text(found->caption);
  if (found->style & DS_SETFONT) {
    w.word(found->pointSize);
    w.text(found->face);
  }
  for (int i = 0; i < found->itemCount; ++i) {
    const ResourceDialogItem& item = found->items[i];
    w.alignToDword();
    w.dword(item.style);
    w.dword(0);
    w.word(WORD(item.x));
    w.word(WORD(item.y));
    w.word(WORD(item.cx));
    w.word(WORD(item.cy));
    w.word(WORD(item.id));
    writeClass(w, item.className);
    w.text(item.text);
    w.word(0);  // no creation data
  }
  return w.words;
}
