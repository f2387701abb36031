#pragma once
// PNG images for the image tools and screenshots. Pixels are 0x00RRGGBB
// values, rows from top to bottom. Any PNG colour type is read (palette,
// grey, 16-bit and alpha are converted; alpha is dropped); 8-bit RGB is
// written. Paths go through the file layer.
#include <cstdint>
#include <string>
#include <vector>

// Images larger than this many pixels on a side are refused.
inline constexpr int MaxImageSide = 8192;

bool WritePng(const std::string& path, int width, int height, const uint32_t* topDownPixels);
// On failure `error` (if given) receives what went wrong.
bool ReadPng(const std::string& path, int* width, int* height,
             std::vector<uint32_t>* topDownPixels, std::string* error = nullptr);
bool DecodePng(const std::string& bytes, int* width, int* height,
               std::vector<uint32_t>* topDownPixels, std::string* error = nullptr);
