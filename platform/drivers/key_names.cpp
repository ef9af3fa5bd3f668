// The table of key names, virtual keys, scan codes and US-layout characters
// (key_names.h).
#include "platform/drivers/key_names.h"

#include <stdio.h>
#include <strings.h>

namespace {

struct KeyInfo {
  const char* name;
  UINT virtualKey;
  UINT scanCode;      // set 1, KF_EXTENDED for extended keys
  char plain;         // character typed without Shift, or 0
  char shifted;       // character typed with Shift, or 0
};

constexpr UINT E = KF_EXTENDED;

// Canonical names first; aliases after them.
const KeyInfo kKeys[] = {
    {"A", 'A', 0x1E, 'a', 'A'}, {"B", 'B', 0x30, 'b', 'B'}, {"C", 'C', 0x2E, 'c', 'C'},
    {"D", 'D', 0x20, 'd', 'D'}, {"E", 'E', 0x12, 'e', 'E'}, {"F", 'F', 0x21, 'f', 'F'},
    {"G", 'G', 0x22, 'g', 'G'}, {"H", 'H', 0x23, 'h', 'H'}, {"I", 'I', 0x17, 'i', 'I'},
    {"J", 'J', 0x24, 'j', 'J'}, {"K", 'K', 0x25, 'k', 'K'}, {"L", 'L', 0x26, 'l', 'L'},
    {"M", 'M', 0x32, 'm', 'M'}, {"N", 'N', 0x31, 'n', 'N'}, {"O", 'O', 0x18, 'o', 'O'},
    {"P", 'P', 0x19, 'p', 'P'}, {"Q", 'Q', 0x10, 'q', 'Q'}, {"R", 'R', 0x13, 'r', 'R'},
    {"S", 'S', 0x1F, 's', 'S'}, {"T", 'T', 0x14, 't', 'T'}, {"U", 'U', 0x16, 'u', 'U'},
    {"V", 'V', 0x2F, 'v', 'V'}, {"W", 'W', 0x11, 'w', 'W'}, {"X", 'X', 0x2D, 'x', 'X'},
    {"Y", 'Y', 0x15, 'y', 'Y'}, {"Z", 'Z', 0x2C, 'z', 'Z'},
    {"0", '0', 0x0B, '0', ')'}, {"1", '1', 0x02, '1', '!'}, {"2", '2', 0x03, '2', '@'},
    {"3", '3', 0x04, '3', '#'}, {"4", '4', 0x05, '4', '$'}, {"5", '5', 0x06, '5', '%'},
    {"6", '6', 0x07, '6', '^'}, {"7", '7', 0x08, '7', '&'}, {"8", '8', 0x09, '8', '*'},
    {"9", '9', 0x0A, '9', '('},
    {"SPACE", VK_SPACE, 0x39, ' ', ' '},
    {"RETURN", VK_RETURN, 0x1C, '\r', '\r'},
    {"TAB", VK_TAB, 0x0F, '\t', '\t'},
    {"BACK", VK_BACK, 0x0E, '\b', '\b'},
    {"ESCAPE", VK_ESCAPE, 0x01, 0x1B, 0x1B},
    {"SEMICOLON", VK_OEM_1, 0x27, ';', ':'},
    {"EQUALS", VK_OEM_PLUS, 0x0D, '=', '+'},
    {"COMMA", VK_OEM_COMMA, 0x33, ',', '<'},
    {"MINUS", VK_OEM_MINUS, 0x0C, '-', '_'},
    {"PERIOD", VK_OEM_PERIOD, 0x34, '.', '>'},
    {"SLASH", VK_OEM_2, 0x35, '/', '?'},
    {"BACKQUOTE", VK_OEM_3, 0x29, '`', '~'},
    {"LBRACKET", VK_OEM_4, 0x1A, '[', '{'},
    {"BACKSLASH", VK_OEM_5, 0x2B, '\\', '|'},
    {"RBRACKET", VK_OEM_6, 0x1B, ']', '}'},
    {"QUOTE", VK_OEM_7, 0x28, '\'', '"'},
    {"SHIFT", VK_SHIFT, 0x2A, 0, 0},
    {"CTRL", VK_CONTROL, 0x1D, 0, 0},
    {"ALT", VK_MENU, 0x38, 0, 0},
    {"PAUSE", VK_PAUSE, 0x45, 0, 0},
    {"CAPSLOCK", VK_CAPITAL, 0x3A, 0, 0},
    {"PAGEUP", VK_PRIOR, E | 0x49, 0, 0},
    {"PAGEDOWN", VK_NEXT, E | 0x51, 0, 0},
    {"END", VK_END, E | 0x4F, 0, 0},
    {"HOME", VK_HOME, E | 0x47, 0, 0},
    {"LEFT", VK_LEFT, E | 0x4B, 0, 0},
    {"UP", VK_UP, E | 0x48, 0, 0},
    {"RIGHT", VK_RIGHT, E | 0x4D, 0, 0},
    {"DOWN", VK_DOWN, E | 0x50, 0, 0},
    {"PRINTSCREEN", VK_SNAPSHOT, E | 0x37, 0, 0},
    {"INSERT", VK_INSERT, E | 0x52, 0, 0},
    {"DELETE", VK_DELETE, E | 0x53, 0, 0},
    {"LWIN", VK_LWIN, E | 0x5B, 0, 0},
    {"RWIN", VK_RWIN, E | 0x5C, 0, 0},
    {"F1", VK_F1, 0x3B, 0, 0}, {"F2", VK_F2, 0x3C, 0, 0}, {"F3", VK_F3, 0x3D, 0, 0},
    {"F4", VK_F4, 0x3E, 0, 0}, {"F5", VK_F5, 0x3F, 0, 0}, {"F6", VK_F6, 0x40, 0, 0},
    {"F7", VK_F7, 0x41, 0, 0}, {"F8", VK_F8, 0x42, 0, 0}, {"F9", VK_F9, 0x43, 0, 0},
    {"F10", VK_F10, 0x44, 0, 0}, {"F11", VK_F11, 0x57, 0, 0}, {"F12", VK_F12, 0x58, 0, 0},
    {"NUMLOCK", VK_NUMLOCK, E | 0x45, 0, 0},
    {"SCROLLLOCK", VK_SCROLL, 0x46, 0, 0},
    // Aliases: Win32's own names and common spellings.
    {"ENTER", VK_RETURN, 0x1C, 0, 0},
    {"ESC", VK_ESCAPE, 0x01, 0, 0},
    {"BACKSPACE", VK_BACK, 0x0E, 0, 0},
    {"CONTROL", VK_CONTROL, 0x1D, 0, 0},
    {"MENU", VK_MENU, 0x38, 0, 0},
    {"PRIOR", VK_PRIOR, E | 0x49, 0, 0},
    {"NEXT", VK_NEXT, E | 0x51, 0, 0},
    {"CAPITAL", VK_CAPITAL, 0x3A, 0, 0},
};

const KeyInfo* findKey(UINT virtualKey) {
  for (const KeyInfo& key : kKeys)
    if (key.virtualKey == virtualKey) return &key;
  return nullptr;
}

}  // namespace

UINT virtualKeyFromName(const char* name) {
  for (const KeyInfo& key : kKeys)
    if (strcasecmp(key.name, name) == 0) return key.virtualKey;
  return 0;
}

const char* nameOfVirtualKey(UINT virtualKey) {
  if (const KeyInfo* key = findKey(virtualKey)) return key->name;
  static char unnamed[16];
  snprintf(unnamed, sizeof unnamed, "VK_%02X", virtualKey & 0xFF);
  return unnamed;
}

UINT scanCodeOfVirtualKey(UINT virtualKey) {
  const KeyInfo* key = findKey(virtualKey);
  return key ? key->scanCode : 0;
}

bool keyForCharacter(char c, UINT* virtualKey, bool* shift) {
  if (c == 0) return false;
  for (const KeyInfo& key : kKeys) {
    if (key.plain == c || key.shifted == c) {
      *virtualKey = key.virtualKey;
      *shift = key.plain != c;
      return true;
    }
  }
  return false;
}

char characterOfKey(UINT virtualKey, bool shift) {
  const KeyInfo* key = findKey(virtualKey);
  if (!key) return 0;
  return shift ? key->shifted : key->plain;
}
