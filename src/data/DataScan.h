#pragma once
// The scanning rules of the text data formats, character by character on a
// TextDataFile. They reproduce the standard formatted-scanning behaviour the
// formats were written against ("%s", "%[^...]", "%*[ ]", "%d", "%hd", "%hu"):
// what is consumed on success and on failure, and where the end-of-file
// indicator gets set. Every text goes into a bounded buffer: an over-long
// token or value is read to its end, cut to the buffer and reported once.
#include <cstddef>
#include <cstdint>

class TextDataFile;

namespace datascan {

// White space as the scanner sees it: space, tab, newline, vertical tab,
// form feed, carriage return.
inline bool IsScanSpace(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// "%s": skips white space (newlines included), then reads one run of
// non-white characters. False, with `out` empty, when the end comes first.
bool ScanToken(TextDataFile& file, char* out, size_t capacity);

// "%*[ ]": skips blanks (the space character only); returns how many.
size_t SkipBlanks(TextDataFile& file);

// "%[^stops]": one or more characters not in `stops`; the stopping
// character is left unread. False, with `out` empty, when none is there.
bool ScanUntil(TextDataFile& file, const char* stops, char* out, size_t capacity);

enum class IntKind { Int, Short, UShort };
// "%d", "%hd", "%hu": skips white space (newlines included), an optional
// sign and decimal digits. Conversion is that of a 32-bit long: signed values
// saturate at the 32-bit range, unsigned ones wrap a minus sign (so "-1" is
// 65535 for "%hu"), then the result is cut to the field width. False when no
// digit is there; a sign before a non-digit stays consumed.
bool ScanInteger(TextDataFile& file, IntKind kind, int32_t* out);

// Reads up to and including the next newline, or to the end.
void SkipLine(TextDataFile& file);

// Decimal text to integer: leading white space, a sign, digits; stops at the
// first other character; a text without digits is 0; saturates at 32 bits.
int32_t TextToInt(const char* text);

}  // namespace datascan
