#pragma once
// Conversion between images (0x00RRGGBB pixels, rows top to bottom) and
// frames (CBArray of 4-byte elements blue, green, red, 0; row 0 the bottom
// row of the picture).
#include <cstdint>
#include <string>
#include <vector>

#include "data/BArray.h"

// `frame` must be empty; it receives a width x height frame.
int ImageToFrame(int width, int height, const uint32_t* topDownPixels, CBArray* frame);
// Fails unless the frame has 4-byte elements.
int FrameToImage(const CBArray& frame, std::vector<uint32_t>* topDownPixels);
// Reads a BMP or PNG file, told apart by its first bytes.
bool ReadImageFile(const std::string& path, int* width, int* height,
                   std::vector<uint32_t>* topDownPixels, std::string* error);
