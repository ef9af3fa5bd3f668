// Bitmaps: CreateCompatibleBitmap and CreateBitmap, and what GetObjectA
// reports about a bitmap.
#include "platform/gdi/bitmap.h"

#include <stdlib.h>
#include <string.h>

#include "platform/gdi/dc.h"

namespace {

// 2^28 pixels (1 GiB); Win32 refuses large bitmaps too, at a limit that
// depends on the system.
const int64_t kMaxPixels = int64_t(1) << 28;

}  // namespace

BitmapObject::~BitmapObject() { freeRows(rows); }

PixelBuffer bitmapPixels(const BitmapObject& bitmap) {
  return PixelBuffer{nullptr, bitmap.width, bitmap.height, bitmap.rows.starts.data()};
}

BitmapObject* defaultBitmap() {
  static BitmapObject* stock = nullptr;
  if (!stock) {
    stock = static_cast<BitmapObject*>(findGdiObject(newBitmap(1, 1)));
    stock->stock = true;
    stock->reportedBitsPixel = 1;
  }
  return stock;
}

HBITMAP newBitmap(int width, int height) {
  if (width <= 0 || height <= 0) return NULL;
  if (int64_t(width) * height > kMaxPixels) {
    gdiLimitation("a bitmap of more than 2^28 pixels was asked for; creation fails");
    return NULL;
  }
  BitmapObject* bitmap = new BitmapObject;
  if (!initRows(bitmap->rows, width, height)) {
    delete bitmap;
    return NULL;
  }
  bitmap->type = OBJ_BITMAP;
  bitmap->width = width;
  bitmap->height = height;
  return static_cast<HBITMAP>(addGdiObject(bitmap));
}

int bitmapObjectInfo(const BitmapObject& bitmap, int size, void* buffer) {
  if (!buffer) return sizeof(BITMAP);
  if (size < int(sizeof(BITMAP))) return 0;
  BITMAP info;
  memset(&info, 0, sizeof(info));
  info.bmWidth = bitmap.width;
  info.bmHeight = bitmap.height;
  info.bmPlanes = 1;
  info.bmBitsPixel = bitmap.reportedBitsPixel;
  // Rows of a device-dependent bitmap are padded to 16 bits.
  info.bmWidthBytes = ((bitmap.width * info.bmBitsPixel + 15) / 16) * 2;
  memcpy(buffer, &info, sizeof(info));
  return sizeof(BITMAP);
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC dc, int width, int height) {
  DcObject* context = findDc(dc);
  if (!context) return NULL;
  // Win32: a zero width or height gives the 1x1 stock bitmap.
  if (width == 0 || height == 0) return static_cast<HBITMAP>(defaultBitmap()->handle);
  if (context->bitmap && context->bitmap->stock) {
    gdiLimitation(
        "CreateCompatibleBitmap on a memory DC that still holds its initial bitmap: Win32 makes "
        "a monochrome bitmap, this layer a 32-bit one");
  }
  return newBitmap(width, height);
}

HBITMAP WINAPI CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel,
                            const void* bits) {
  if (width == 0 || height == 0) return static_cast<HBITMAP>(defaultBitmap()->handle);
  if (planes != 1 || bitsPerPixel != 32) {
    gdiLimitation("CreateBitmap supports only 1 plane of 32 bits per pixel; creation fails");
    return NULL;
  }
  HBITMAP handle = newBitmap(width, height);
  BitmapObject* bitmap = static_cast<BitmapObject*>(findGdiObject(handle, OBJ_BITMAP));
  if (bitmap && bits) {
    // A 32-bit row is B, G, R, unused: a little-endian 0x00RRGGBB.
    writeRows(bitmap->rows, RECT{0, 0, width, height});
    for (int y = 0; y < height; ++y) {
      uint32_t* row = bitmap->rows.starts[size_t(y)];
      memcpy(row, static_cast<const uint32_t*>(bits) + size_t(y) * width, size_t(width) * 4);
      for (int x = 0; x < width; ++x) row[x] &= 0xFFFFFF;
    }
  }
  return handle;
}
