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

BitmapObject::~BitmapObject() { free(pixels); }

PixelBuffer bitmapPixels(const BitmapObject& bitmap) {
  return PixelBuffer{bitmap.pixels, bitmap.width, bitmap.height};
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
  uint32_t* pixels = static_cast<uint32_t*>(calloc(size_t(width) * height, sizeof(uint32_t)));
  if (!pixels) return NULL;
  BitmapObject* bitmap = new BitmapObject;
  bitmap->type = OBJ_BITMAP;
  bitmap->pixels = pixels;
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
    size_t count = size_t(width) * height;
    memcpy(bitmap->pixels, bits, count * sizeof(uint32_t));
    for (size_t i = 0; i < count; ++i) bitmap->pixels[i] &= 0xFFFFFF;
  }
  return handle;
}
