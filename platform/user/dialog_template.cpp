// Reading in-memory dialog templates (DLGTEMPLATE followed by its items), the
// one format DialogBoxIndirectParamA takes and into which DialogBoxParamA
// turns a dialog resource.
//
// The layer reads the classic format only: a DLGTEMPLATEEX (which starts
// with 1, 0xFFFF), a menu, or a dialog class other than the standard one
// are refused, and the dialog then fails as Win32 fails a template it cannot
// build. Texts are UTF-16 and become Windows-1252; a character that code page
// lacks becomes "?".
#include <string.h>

#include "platform/kernel/codepage1252.h"
#include "platform/user/dialog.h"

namespace {

struct Reader {
  const BYTE* at;
};

WORD readWord(Reader& r) {
  WORD w;
  memcpy(&w, r.at, sizeof w);
  r.at += sizeof w;
  return w;
}

DWORD readDword(Reader& r) {
  DWORD d;
  memcpy(&d, r.at, sizeof d);
  r.at += sizeof d;
  return d;
}

void alignTo(Reader& r, uintptr_t alignment) {
  uintptr_t at = reinterpret_cast<uintptr_t>(r.at);
  r.at += (alignment - at % alignment) % alignment;
}

char windows1252From(WORD unit) {
  int byte = windows1252FromUnicode(unit, true);
  return byte < 0 ? '?' : char(byte);
}

std::string readString(Reader& r) {
  std::string text;
  for (WORD unit = readWord(r); unit != 0; unit = readWord(r)) text += windows1252From(unit);
  return text;
}

// A class, menu or text field: 0x0000 for none, 0xFFFF and an ordinal, or a
// string. `ordinal` receives the ordinal (0 for a string or none).
std::string readField(Reader& r, WORD* ordinal) {
  *ordinal = 0;
  WORD first;
  memcpy(&first, r.at, sizeof first);
  if (first == 0xFFFF) {
    r.at += 2;
    *ordinal = readWord(r);
    return "";
  }
  return readString(r);
}

const char* ordinalClassName(WORD ordinal) {
  switch (ordinal) {
    case 0x0080: return "BUTTON";
    case 0x0081: return "EDIT";
    case 0x0082: return "STATIC";
    case 0x0083: return "LISTBOX";
    case 0x0084: return "SCROLLBAR";
    case 0x0085: return "COMBOBOX";
    default: return nullptr;
  }
}

}  // namespace

bool parseDialogTemplate(const void* bytes, DialogTemplate* out) {
  if (!bytes) return false;
  Reader r = {static_cast<const BYTE*>(bytes)};
  WORD version, signature;
  memcpy(&version, r.at, 2);
  memcpy(&signature, r.at + 2, 2);
  if (version == 1 && signature == 0xFFFF) return false;  // DLGTEMPLATEEX

  *out = DialogTemplate{};
  out->style = readDword(r);
  out->exStyle = readDword(r);
  WORD count = readWord(r);
  out->x = short(readWord(r));
  out->y = short(readWord(r));
  out->cx = short(readWord(r));
  out->cy = short(readWord(r));
  WORD ordinal;
  std::string menu = readField(r, &ordinal);
  if (!menu.empty() || ordinal) return false;
  out->className = readField(r, &ordinal);
  if (!out->className.empty() || ordinal) return false;
  out->caption = readString(r);
  if (out->style & DS_SETFONT) {
    out->hasFont = true;
    out->pointSize = readWord(r);
    out->face = readString(r);
  }
  for (WORD i = 0; i < count; ++i) {
    alignTo(r, 4);
    DialogItem item;
    item.style = readDword(r);
    item.exStyle = readDword(r);
    item.x = short(readWord(r));
    item.y = short(readWord(r));
    item.cx = short(readWord(r));
    item.cy = short(readWord(r));
    item.id = readWord(r);  // a WORD: the labels' -1 is 0xFFFF, as in Win32
    item.className = readField(r, &ordinal);
    if (ordinal) {
      const char* name = ordinalClassName(ordinal);
      if (!name) return false;
      item.className = name;
    }
    item.text = readField(r, &ordinal);
    if (ordinal) return false;  // an icon or bitmap resource: no such controls here
    WORD dataSize = readWord(r);
    item.data.assign(r.at, r.at + dataSize);
    r.at += dataSize;
    out->items.push_back(item);
  }
  return true;
}
