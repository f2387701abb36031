#include "data/DataReaders.h"

#include <cstring>

#include "data/DataScan.h"
#include "data/DataStrings.h"

using datascan::IntKind;

namespace {
const char* ScanValue(TextDataFile* file, const char* stops) {
  if (file == nullptr) return nullptr;
  char* value = file->ValueText();
  return datascan::ScanUntil(*file, stops, value, TextDataFile::ValueCapacity) ? value : nullptr;
}
}  // namespace

void SkipLine(TextDataFile* file) {
  if (file != nullptr) datascan::SkipLine(*file);
}

const char* ReadRestOfLine(TextDataFile* file) { return ScanValue(file, "\n"); }

const char* ReadToSemicolon(TextDataFile* file) { return ScanValue(file, ";\n"); }

const char* ReadWord(TextDataFile* file) {
  if (file == nullptr) return nullptr;
  if (datascan::SkipBlanks(*file) == 0) return nullptr;
  return ScanValue(file, " \n");
}

const char* ReadWordLoose(TextDataFile* file) {
  if (file == nullptr) return nullptr;
  datascan::SkipBlanks(*file);
  return ScanValue(file, " \n");
}

bool ReadU16(TextDataFile* file, uint16_t* out) {
  int32_t value;
  if (file == nullptr || !datascan::ScanInteger(*file, IntKind::UShort, &value)) return false;
  if (out) *out = static_cast<uint16_t>(value);
  return true;
}

bool ReadInt(TextDataFile* file, int* out) {
  int32_t value;
  if (file == nullptr || !datascan::ScanInteger(*file, IntKind::Int, &value)) return false;
  if (out) *out = value;
  return true;
}

bool ReadS16(TextDataFile* file, int16_t* out) {
  int32_t value;
  if (file == nullptr || !datascan::ScanInteger(*file, IntKind::Short, &value)) return false;
  if (out) *out = static_cast<int16_t>(value);
  return true;
}

bool ReadByte(TextDataFile* file, uint8_t* out) {
  int32_t value;
  if (file == nullptr || !datascan::ScanInteger(*file, IntKind::UShort, &value)) return false;
  if (out) *out = static_cast<uint8_t>(value & 0xFF);
  return true;
}

char* ReadQuotedString(TextDataFile* file) {
  if (file == nullptr) return nullptr;
  char* value = file->ValueText();
  std::strcpy(value, "<NULL>");
  if (datascan::SkipBlanks(*file) == 0) return nullptr;
  int c = file->Get();
  if (c != '"') {
    file->Unget(c);
    return nullptr;
  }
  if (!datascan::ScanUntil(*file, "\"", value, TextDataFile::ValueCapacity)) return nullptr;
  c = file->Get();  // the closing quote, when there is one
  if (c != '"') file->Unget(c);
  if (std::strcmp(value, "<NULL>") == 0) return nullptr;
  return AllocString(value);
}

char* ReadWordString(TextDataFile* file) {
  const char* word = ReadWord(file);
  return word != nullptr ? AllocString(word) : nullptr;
}

bool FindKeywordLine(TextDataFile* file, const char* key) {
  if (file == nullptr || key == nullptr) return false;
  char token[TextDataFile::TokenCapacity];
  bool block = false;
  while (!file->AtEnd()) {
    if (!datascan::ScanToken(*file, token, sizeof token)) break;
    if (block) {
      if (std::strcmp(token, "*/") == 0) block = false;
    } else if (token[0] == '#') {
      // a line comment, like everywhere else in the format
    } else if (std::strcmp(token, "/*") == 0) {
      block = true;
    } else if (std::strcmp(token, key) == 0) {
      return true;
    }
    datascan::SkipLine(*file);
  }
  return false;
}

bool ReadKeyValue(TextDataFile* file, const char* key, std::string& out) {
  out.clear();
  if (file == nullptr || key == nullptr) return false;
  bool found = false;
  char* value = file->ValueText();
  while (!file->AtEnd()) {
    // The key is matched character by character: it is data, never a format.
    bool match = true;
    for (const char* k = key; *k != '\0'; ++k) {
      const int c = file->Get();
      if (c != static_cast<unsigned char>(*k)) {
        file->Unget(c);
        match = false;
        break;
      }
    }
    if (match) {
      const int c = file->Get();
      if (c != ':') {
        file->Unget(c);
        match = false;
      }
    }
    if (match && datascan::SkipBlanks(*file) > 0 &&
        datascan::ScanUntil(*file, "\n", value, TextDataFile::ValueCapacity)) {
      out = value;
      found = true;
      break;
    }
    datascan::SkipLine(*file);
  }
  file->Rewind();
  return found;
}
