// The handle table of platform/gdi (see gdi_objects.h). Handles are
// (serial << 16) | slot with slot 1..65535; a slot's serial changes every
// time it is reused, so an old handle of that slot no longer resolves.
#include "platform/gdi/gdi_objects.h"

#include <vector>

#include "platform/internal/diagnostics.h"

namespace {

const size_t kMaxSlots = 0xFFFF;

struct Slot {
  GdiObject* object = nullptr;
  uintptr_t serial = 0;
};

// Slot 0 is never used, so no handle is 0. The table is never destroyed:
// objects that a program keeps until it ends (as Win32 lets it) stay
// reachable, and GDI calls made while the process exits still find it.
std::vector<Slot>& slotTable() {
  static std::vector<Slot>* table = new std::vector<Slot>(1);
  return *table;
}
std::vector<size_t>& freeSlotList() {
  static std::vector<size_t>* list = new std::vector<size_t>;
  return *list;
}

uintptr_t handleValue(HGDIOBJ handle) { return reinterpret_cast<uintptr_t>(handle); }

}  // namespace

HGDIOBJ addGdiObject(GdiObject* object) {
  std::vector<Slot>& slots = slotTable();
  std::vector<size_t>& freeSlots = freeSlotList();
  size_t index;
  if (!freeSlots.empty()) {
    index = freeSlots.back();
    freeSlots.pop_back();
  } else if (slots.size() <= kMaxSlots) {
    index = slots.size();
    slots.push_back(Slot());
  } else {
    gdiLimitation("the GDI handle table is full (65535 objects); creation fails");
    delete object;
    return NULL;
  }
  Slot& slot = slots[index];
  slot.serial = (slot.serial + 1) & 0x7FFF;
  if (slot.serial == 0) slot.serial = 1;
  slot.object = object;
  object->handle = reinterpret_cast<HGDIOBJ>((slot.serial << 16) | index);
  return object->handle;
}

GdiObject* findGdiObject(HGDIOBJ handle, DWORD type) {
  const std::vector<Slot>& slots = slotTable();
  uintptr_t value = handleValue(handle);
  size_t index = value & 0xFFFF;
  if (index == 0 || index >= slots.size()) return nullptr;
  const Slot& slot = slots[index];
  if (!slot.object || slot.serial != (value >> 16)) return nullptr;
  if (type != 0 && slot.object->type != type) return nullptr;
  return slot.object;
}

size_t liveGdiObjects() {
  size_t live = 0;
  for (const Slot& slot : slotTable()) live += slot.object != nullptr;
  return live;
}

void destroyGdiObject(GdiObject* object) {
  size_t index = handleValue(object->handle) & 0xFFFF;
  slotTable()[index].object = nullptr;
  freeSlotList().push_back(index);
  delete object;
}

void retainSelection(GdiObject* object) { ++object->selections; }

void releaseSelection(GdiObject* object) {
  --object->selections;
  if (object->selections == 0 && object->deletePending) destroyGdiObject(object);
}

void gdiLimitation(const char* what) { layerDiagnostic("gdi", "%s", what); }
