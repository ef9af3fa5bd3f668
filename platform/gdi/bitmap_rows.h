// The rows of a bitmap's pixels. Rows are shared (between two bitmaps, or
// between rows of one) until one of their holders draws on them: a
// full-width copy between bitmaps hands over rows instead of pixels, and a
// fill of whole rows gives them one shared row of the colour. The display's
// line scroll (two whole-picture copies and a fill) then costs what its
// row count costs, and two bitmaps of one picture take the memory of one.
//
// Every row has a content id, a number that names exactly its pixels: it
// changes with every drawing into the row, a copy keeps it, and no id is
// given to two contents (all-black rows share kZeroRowContent of
// platform/internal/window_pixels.h). Each row also keeps where its last
// few drawings fell, so a copy onto a window can tell, by the id each
// window row last took, which rows the window already shows, which changed
// in a few columns, and which it shows at another height (a scroll).
#ifndef QUILLON_PLATFORM_GDI_BITMAP_ROWS_H
#define QUILLON_PLATFORM_GDI_BITMAP_ROWS_H

#include <stdint.h>

#include <vector>

#include <windows.h>

struct PixelRow;

struct RowStore {
  int width = 0;
  std::vector<PixelRow*> rows;
  std::vector<uint32_t*> starts;  // starts[y]: the first pixel of rows[y]
  std::vector<uint64_t> ids;      // ids[y]: the content id of rows[y]
};

// `height` black rows of `width` pixels (one row, shared); false when
// memory is short.
bool initRows(RowStore& store, int width, int height);
void freeRows(RowStore& store);

// Before drawing into `area` (inside the store): its rows become the
// store's own, and each records that the columns of `area` change.
void writeRows(RowStore& store, const RECT& area);

// Rows [toTop, toTop + count) of `to` become rows [fromTop, ...) of `from`,
// shared. Both stores have the same width; `to` may be `from`.
void shareRows(RowStore& to, int toTop, const RowStore& from, int fromTop, int count);

// Rows [top, bottom) become one shared row of `pixel`.
void fillRows(RowStore& store, int top, int bottom, uint32_t pixel);

// The content id of row y (never 0).
inline uint64_t rowContent(const RowStore& store, int y) { return store.ids[size_t(y)]; }

// Where row y changed since it held content `id`: columns [*left, *right)
// (empty when it holds it still). False when the row's history does not
// reach back to `id`.
bool rowChangedSince(const RowStore& store, int y, uint64_t id, int* left, int* right);

#endif
