// PNG files for tests (png_reader.h), through libpng's simplified API.
#include "tests/support/png_reader.h"

#include <png.h>

std::vector<uint32_t> readPng(const std::string& path, int* width, int* height) {
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  std::vector<uint32_t> pixels;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return pixels;
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) return pixels;
  *width = int(image.width);
  *height = int(image.height);
  for (size_t i = 0; i + 2 < bytes.size(); i += 3)
    pixels.push_back(uint32_t(bytes[i]) << 16 | uint32_t(bytes[i + 1]) << 8 | bytes[i + 2]);
  return pixels;
}
