#pragma once
// Authoring screens of the special options menu: Bitmap Conversion turns a
// BMP or PNG picture into a frame file, the Image Viewer shows a frame file.
// Both print on the current text display, ask for file names until an empty
// answer and draw pictures at the window's top-left corner, four times
// enlarged. File names are engine paths (backslashes allowed).

// "NAME.bmp" (else "NAME.png") -> "NAME.til". Returns 1.
int UIBitmapConversion();
// Shows array files of 4-byte pixels. Returns 1.
int UIImageViewer();
