#pragma once
// Windows BMP images: 24- and 32-bit, bottom-up and top-down rows,
// uncompressed or with 32-bit bit-field masks. Pixels are 0x00RRGGBB values,
// rows from top to bottom, as for PngFile.
#include <cstdint>
#include <string>
#include <vector>

bool ReadBmp(const std::string& path, int* width, int* height,
             std::vector<uint32_t>* topDownPixels, std::string* error = nullptr);
bool DecodeBmp(const std::string& bytes, int* width, int* height,
               std::vector<uint32_t>* topDownPixels, std::string* error = nullptr);
// Writes a 24-bit bottom-up BMP.
bool WriteBmp(const std::string& path, int width, int height, const uint32_t* topDownPixels);
