// PNG reading and writing through libpng's simplified interface.
#include "data/PngFile.h"

#include <png.h>

#include <cstring>

#include "platform/Files.h"

namespace {

void SetError(std::string* error, const std::string& text) {
  if (error) *error = text;
}

}  // namespace

bool WritePng(const std::string& path, int width, int height, const uint32_t* topDownPixels) {
  if (!topDownPixels || width < 1 || height < 1 || width > MaxImageSide || height > MaxImageSide)
    return false;
  std::vector<uint8_t> rgb(size_t(width) * size_t(height) * 3);
  for (size_t i = 0; i < size_t(width) * size_t(height); ++i) {
    uint32_t p = topDownPixels[i];
    rgb[i * 3] = uint8_t(p >> 16);
    rgb[i * 3 + 1] = uint8_t(p >> 8);
    rgb[i * 3 + 2] = uint8_t(p);
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(width);
  image.height = png_uint_32(height);
  image.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr)) return false;
  std::string out(size, '\0');
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgb.data(), 0, nullptr)) return false;
  out.resize(size);
  return AWriteFileAtomic(path, out);
}

bool DecodePng(const std::string& bytes, int* width, int* height,
               std::vector<uint32_t>* topDownPixels, std::string* error) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
    SetError(error, std::string("not a readable PNG image (") + image.message + ")");
    return false;
  }
  if (image.width < 1 || image.height < 1 || image.width > png_uint_32(MaxImageSide) ||
      image.height > png_uint_32(MaxImageSide)) {
    SetError(error, "image size " + std::to_string(image.width) + " x " +
                        std::to_string(image.height) + " is out of range");
    png_image_free(&image);
    return false;
  }
  image.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> rgba(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
    SetError(error, std::string("damaged PNG image (") + image.message + ")");
    png_image_free(&image);
    return false;
  }
  const size_t n = size_t(image.width) * size_t(image.height);
  topDownPixels->resize(n);
  for (size_t i = 0; i < n; ++i)
    (*topDownPixels)[i] = uint32_t(rgba[i * 4]) << 16 | uint32_t(rgba[i * 4 + 1]) << 8 | rgba[i * 4 + 2];
  *width = int(image.width);
  *height = int(image.height);
  return true;
}

bool ReadPng(const std::string& path, int* width, int* height,
             std::vector<uint32_t>* topDownPixels, std::string* error) {
  std::string bytes;
  if (!AReadFile(path, bytes)) {
    SetError(error, "could not open " + path);
    return false;
  }
  return DecodePng(bytes, width, height, topDownPixels, error);
}
