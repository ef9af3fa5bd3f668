// Writing PNG files with libpng (png_file.h).
#include "platform/drivers/headless/png_file.h"

#include <png.h>
#include <stdio.h>

#include <vector>

namespace {

// libpng reports errors by longjmp back here; nothing in between needs
// unwinding (the row buffer belongs to the caller).
bool writeImage(png_structp png, png_infop info, FILE* file, const PixelBuffer& image,
                png_byte* row) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, file);
  png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < image.height; ++y) {
    const uint32_t* pixel = image.pixels + size_t(y) * image.width;
    for (int x = 0; x < image.width; ++x) {
      row[3 * x] = png_byte(pixel[x] >> 16);
      row[3 * x + 1] = png_byte(pixel[x] >> 8);
      row[3 * x + 2] = png_byte(pixel[x]);
    }
    png_write_row(png, row);
  }
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

bool writePng(const char* path, const PixelBuffer& image) {
  if (image.width <= 0 || image.height <= 0) {
    fprintf(stderr, "quillon: headless: no snapshot of an empty picture (%s)\n", path);
    return false;
  }
  FILE* file = fopen(path, "wb");
  if (!file) {
    fprintf(stderr, "quillon: headless: cannot write the snapshot %s\n", path);
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  std::vector<png_byte> row(size_t(image.width) * 3);
  bool ok = png && info && writeImage(png, info, file, image, row.data());
  png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
  if (fclose(file) != 0) ok = false;
  if (!ok) fprintf(stderr, "quillon: headless: the snapshot %s could not be written\n", path);
  return ok;
}
