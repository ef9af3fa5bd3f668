// The table of GDI objects behind the handles of platform/gdi: device
// contexts, bitmaps, brushes and fonts. A handle is a slot number with a
// serial number above it, so a handle of a deleted object stops resolving
// instead of reaching freed memory. Every object counts the device contexts
// it is selected into; the Win32 rules of deletion use that count.
#ifndef QUILLON_PLATFORM_GDI_GDI_OBJECTS_H
#define QUILLON_PLATFORM_GDI_GDI_OBJECTS_H

#include <windows.h>

struct GdiObject {
  DWORD type = 0;          // OBJ_BITMAP, OBJ_BRUSH, OBJ_FONT, OBJ_DC or OBJ_MEMDC
  HGDIOBJ handle = NULL;   // set by addGdiObject
  int selections = 0;      // device contexts this object is selected into
  bool stock = false;      // stock objects are never destroyed
  bool deletePending = false;  // DeleteObject came while selected: destroy on release
  virtual ~GdiObject() = default;
};

// Gives `object` a handle and takes ownership; NULL when the table is full
// (the object is then destroyed).
HGDIOBJ addGdiObject(GdiObject* object);

// The live object behind `handle`, or NULL for a stale or foreign handle. A
// non-zero `type` also requires that type.
GdiObject* findGdiObject(HGDIOBJ handle, DWORD type = 0);

// How many objects live in the table, stock objects included: what a run
// keeps of GDI, for soak runs that watch it stay flat.
size_t liveGdiObjects();

// Removes the object from the table and destroys it.
void destroyGdiObject(GdiObject* object);

// Selection bookkeeping: an object whose deletion was postponed because it
// was selected is destroyed when its last selection ends.
void retainSelection(GdiObject* object);
void releaseSelection(GdiObject* object);

// Where the layer does less than Win32, it says so on the "gdi" diagnostics
// channel (platform/internal/diagnostics.h), once per text, instead of
// pretending.
void gdiLimitation(const char* what);

#endif
