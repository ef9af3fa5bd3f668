// Copies of bitmap rows onto a window.
//
// A window remembers, for each of its rows, the content id of the bitmap
// row it shows across its whole width (bitmap_rows.h). A copy of whole rows
// then goes row by row: a row that shows the same id is left alone; one
// whose bitmap row changed since, in a few columns, gets those columns; any
// other is compared and copied where it differs. Before that, the rows whose
// new content the window shows at another height (a picture moved up by a
// text line) are moved inside the window, and the driver is told so that it
// moves what it has shown too. The window's driver is given the bounding box
// of what was written. A copy of part of the width compares and copies the
// whole area, and the window forgets what those rows show.
#include "platform/gdi/window_copy.h"

#include <string.h>

#include <unordered_map>

#include "platform/gdi/gdi_rules.h"
#include "platform/gdi/primitives.h"
#include "platform/internal/window_pixels.h"

namespace {

// Moves of fewer rows are left to the row-by-row copy.
const int kShortestMove = 2;

// A run of window rows [top, top + count) whose new content the window
// shows `offset` rows further down (up, when negative).
struct RowMove {
  int top = 0;
  int count = 0;
  int offset = 0;
};

// The longest run of rows of `area` that the window shows elsewhere, all at
// one offset. Window row y is to show bitmap row y + shift.
RowMove findMove(const RowStore& rows, const RECT& area, int shift,
                 const std::vector<uint64_t>& shown) {
  std::unordered_map<uint64_t, int> where;  // made when a row is missing
  RowMove best, run;
  int height = int(shown.size());
  for (int y = area.top; y < area.bottom; ++y) {
    uint64_t wanted = rowContent(rows, y + shift);
    int along = y + run.offset;
    if (run.count > 0 && y == run.top + run.count && along >= 0 && along < height &&
        shown[size_t(along)] == wanted) {
      ++run.count;
    } else {
      if (run.count > best.count) best = run;
      run = RowMove();
      if (shown[size_t(y)] == wanted) continue;
      // A row drawn on since the window took it has not moved.
      int left, right;
      if (rowChangedSince(rows, y + shift, shown[size_t(y)], &left, &right)) continue;
      if (where.empty()) {
        for (int i = 0; i < height; ++i)
          if (shown[size_t(i)] != 0) where[shown[size_t(i)]] = i;
      }
      auto found = where.find(wanted);
      if (found != where.end()) run = RowMove{y, 1, found->second - y};
    }
  }
  if (run.count > best.count) best = run;
  return best;
}

RECT unite(const RECT& a, const RECT& b) {
  if (isEmptyRect(a)) return b;
  if (isEmptyRect(b)) return a;
  return RECT{a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
              a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom};
}

}  // namespace

void copyRowsOntoWindow(const DcObject& to, const RowStore& rows, const PixelBuffer& target,
                        const PixelBuffer& source, const RECT& area, int fromY, int fromX,
                        std::vector<uint64_t>* shownRows) {
  std::vector<uint64_t>& shown = *shownRows;
  bool wholeRows = area.left == 0 && fromX == 0 && area.right == target.width &&
                   source.width == target.width;
  if (!wholeRows) {
    RECT changed = primitives32.copyChangedRect(target, area, source, fromX, fromY);
    if (!shown.empty())
      for (int y = area.top; y < area.bottom; ++y) shown[size_t(y)] = 0;
    dcPixelsChanged(to, changed);
    return;
  }
  if (shown.size() != size_t(target.height)) shown.assign(size_t(target.height), 0);
  int shift = fromY - area.top;
  // The usual paint of a typing tick: a few rows changed, found by
  // comparing ids, not pixels.
  size_t count = size_t(area.bottom - area.top);
  if (memcmp(&shown[size_t(area.top)], &rows.ids[size_t(fromY)], count * sizeof(uint64_t)) == 0)
    return;

  RowMove move = findMove(rows, area, shift, shown);
  if (move.count >= kShortestMove) {
    size_t rowPixels = size_t(target.width);
    memmove(target.pixels + size_t(move.top) * rowPixels,
            target.pixels + size_t(move.top + move.offset) * rowPixels,
            size_t(move.count) * rowPixels * 4);
    memmove(&shown[size_t(move.top)], &shown[size_t(move.top + move.offset)],
            size_t(move.count) * sizeof(uint64_t));
    windowPixelsMoved(to.window, RECT{0, move.top, target.width, move.top + move.count},
                      move.offset);
  }

  RECT changed = {0, 0, 0, 0};
  for (int y = area.top; y < area.bottom; ++y) {
    if (shown[size_t(y)] == rowContent(rows, y + shift)) continue;
    int left = 0, right = target.width;
    if (shown[size_t(y)] != 0 && !rowChangedSince(rows, y + shift, shown[size_t(y)], &left, &right)) {
      left = 0;
      right = target.width;
    }
    if (right > left) {
      RECT part = primitives32.copyChangedRect(target, RECT{left, y, right, y + 1}, source, left,
                                               y + shift);
      changed = unite(changed, part);
    }
    shown[size_t(y)] = rowContent(rows, y + shift);
  }
  dcPixelsChanged(to, changed);
}
