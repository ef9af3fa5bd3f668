// Shared, copy-on-write bitmap rows with content ids (see bitmap_rows.h).
#include "platform/gdi/bitmap_rows.h"

#include <stdlib.h>
#include <string.h>

#include "platform/internal/window_pixels.h"

namespace {

// Drawings remembered per row: a typing tick draws three times into a row
// (the cell's fill, the character, the cursor), so this covers two ticks.
const int kRowHistory = 8;

// A drawing that turned content `before` into the row's next content,
// touching columns [left, right).
struct RowChange {
  uint64_t before;
  int left;
  int right;
};

uint64_t lastContentId = kZeroRowContent;

uint64_t newContentId() { return ++lastContentId; }

}  // namespace

// The header of a row; its pixels follow it in the same allocation.
struct PixelRow {
  int holders;  // places in stores that hold this row
  uint64_t content;
  int changes;  // valid entries of history, oldest first
  RowChange history[kRowHistory];
};

namespace {

uint32_t* pixelsOf(PixelRow* row) { return reinterpret_cast<uint32_t*>(row + 1); }

PixelRow* newRow(int width) {
  PixelRow* row = static_cast<PixelRow*>(malloc(sizeof(PixelRow) + size_t(width) * 4));
  if (!row) abort();  // a row is a few kilobytes; the bitmap itself was refused earlier
  row->holders = 1;
  row->content = newContentId();
  row->changes = 0;
  return row;
}

void release(PixelRow* row) {
  if (row && --row->holders == 0) free(row);
}

void place(RowStore& store, int y, PixelRow* row) {
  store.rows[size_t(y)] = row;
  store.starts[size_t(y)] = pixelsOf(row);
  store.ids[size_t(y)] = row->content;
}

void noteChange(PixelRow* row, int left, int right) {
  if (row->changes == kRowHistory) {
    memmove(row->history, row->history + 1, sizeof(RowChange) * (kRowHistory - 1));
    --row->changes;
  }
  row->history[row->changes++] = RowChange{row->content, left, right};
  row->content = newContentId();
}

}  // namespace

bool initRows(RowStore& store, int width, int height) {
  PixelRow* black = static_cast<PixelRow*>(calloc(1, sizeof(PixelRow) + size_t(width) * 4));
  if (!black) return false;
  store.width = width;
  store.rows.assign(size_t(height), black);
  store.starts.assign(size_t(height), pixelsOf(black));
  black->holders = height;
  black->content = kZeroRowContent;
  store.ids.assign(size_t(height), black->content);
  return true;
}

void freeRows(RowStore& store) {
  for (PixelRow* row : store.rows) release(row);
  store.rows.clear();
  store.starts.clear();
  store.ids.clear();
}

void writeRows(RowStore& store, const RECT& area) {
  for (int y = area.top; y < area.bottom; ++y) {
    PixelRow* row = store.rows[size_t(y)];
    if (row->holders > 1) {
      // Copy on write: the copy starts with the same content and history.
      PixelRow* own = newRow(store.width);
      memcpy(own, row, sizeof(PixelRow) + size_t(store.width) * 4);
      own->holders = 1;
      --row->holders;
      place(store, y, own);
      row = own;
    }
    noteChange(row, area.left, area.right);
    store.ids[size_t(y)] = row->content;
  }
}

void shareRows(RowStore& to, int toTop, const RowStore& from, int fromTop, int count) {
  // Take the new rows first: `to` may be `from`, and the ranges may overlap.
  std::vector<PixelRow*> taken(from.rows.begin() + fromTop, from.rows.begin() + fromTop + count);
  for (PixelRow* row : taken) ++row->holders;
  for (int i = 0; i < count; ++i) {
    release(to.rows[size_t(toTop + i)]);
    place(to, toTop + i, taken[size_t(i)]);
  }
}

void fillRows(RowStore& store, int top, int bottom, uint32_t pixel) {
  if (bottom <= top) return;
  PixelRow* row = newRow(store.width);
  uint32_t* pixels = pixelsOf(row);
  for (int x = 0; x < store.width; ++x) pixels[x] = pixel;
  if (pixel == 0) row->content = kZeroRowContent;
  row->holders = bottom - top;
  for (int y = top; y < bottom; ++y) {
    release(store.rows[size_t(y)]);
    place(store, y, row);
  }
}

bool rowChangedSince(const RowStore& store, int y, uint64_t id, int* left, int* right) {
  const PixelRow* row = store.rows[size_t(y)];
  *left = *right = 0;
  if (row->content == id) return true;
  for (int i = row->changes - 1; i >= 0; --i) {
    const RowChange& change = row->history[i];
    if (*right <= *left) {
      *left = change.left;
      *right = change.right;
    } else {
      if (change.left < *left) *left = change.left;
      if (change.right > *right) *right = change.right;
    }
    if (change.before == id) return true;
  }
  return false;
}
