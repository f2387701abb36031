#include "data/SizedArrays.h"

#include <new>

#include "data/DataReaders.h"
#include "data/DataScan.h"
#include "text/Output.h"

namespace {

// Reads values into `values` (already sized); returns how many were stored.
// `extra` is set when one more value followed the last slot (it is consumed).
template <class T>
size_t ReadValues(TextDataFile* file, std::vector<T>& values, bool& extra) {
  extra = false;
  size_t stored = 0;
  while (const char* word = ReadWord(file)) {
    if (stored >= values.size()) {
      extra = true;
      break;
    }
    values[stored++] = static_cast<T>(datascan::TextToInt(word));
  }
  return stored;
}

template <class T>
bool ReadSized(const char* op, TextDataFile* file, std::vector<T>* out, int16_t* count, int16_t limit) {
  if (file == nullptr || out == nullptr || count == nullptr) {
    PrintLine("ERROR (%s): Missing or invalid parameter(s)", op);
    if (out) out->clear();
    if (count) *count = 0;
    return false;
  }
  out->clear();
  *count = 0;
  int16_t n = 0;
  ReadS16(file, &n);
  if (n < 1 || n >= limit) {
    PrintLine("ERROR (%s): Invalid list size %d", op, n);
    return false;
  }
  try {
    out->assign(static_cast<size_t>(n), T{});
  } catch (const std::bad_alloc&) {
    PrintLine("ERROR (%s): Could not allocate list size %d", op, n);
    return false;
  }
  bool extra = false;
  ReadValues(file, *out, extra);
  if (extra) PrintLine("ERROR (%s): Allocation size %d too small", op, n);
  *count = n;
  return true;
}

}  // namespace

bool ReadSizedWordArray(TextDataFile* file, std::vector<uint16_t>* words, int16_t* count, int16_t limit) {
  return ReadSized("ReadSizedWordArray", file, words, count, limit);
}

bool ReadSizedByteArray(TextDataFile* file, std::vector<uint8_t>* bytes, int16_t* count, int16_t limit) {
  return ReadSized("ReadSizedByteArray", file, bytes, count, limit);
}

bool ReadSizedWordArraySW(TextDataFile* file, std::vector<uint16_t>* words, uint16_t n, uint16_t* countOut,
                          uint16_t* readOut) {
  if (file == nullptr || words == nullptr) {
    PrintLine("ERROR (ReadSizedWordArraySW): Missing or invalid parameter(s)");
    if (words) words->clear();
    return false;
  }
  words->clear();
  if (n == 0) ReadU16(file, &n);
  if (n == 0) {
    PrintLine("ERROR (ReadSizedWordArraySW): Invalid list size 0");
    return false;
  }
  try {
    words->assign(n, 0);
  } catch (const std::bad_alloc&) {
    PrintLine("ERROR (ReadSizedWordArraySW): Could not allocate list size %d", n);
    return false;
  }
  bool extra = false;
  const size_t read = ReadValues(file, *words, extra);
  if (extra) PrintLine("ERROR (ReadSizedWordArraySW): Allocation size %d too small", n);
  if (countOut) *countOut = n;
  if (readOut) *readOut = static_cast<uint16_t>(read);
  return true;
}

bool LoadCreateWORDArrayOpenFile(TextDataFile* file, int max, std::vector<uint16_t>* words, int* count) {
  if (file == nullptr || words == nullptr || count == nullptr) {
    PrintLine("ERROR (LoadCreateWORDArrayOpenFile): Missing param(s)");
    return false;
  }
  words->clear();
  *count = 0;
  if (max < 1) {
    PrintLine("ERROR (LoadCreateWORDArrayOpenFile): Max size out of range (%d)", max);
    return false;
  }
  // Grows with the values actually present instead of reserving max words.
  std::vector<uint16_t> values;
  try {
    while (const char* word = ReadWord(file)) {
      if (static_cast<int>(values.size()) >= max) {
        PrintLine("ERROR (LoadCreateWORDArrayOpenFile): Array exceeds max size (%d)", max);
        break;
      }
      values.push_back(static_cast<uint16_t>(datascan::TextToInt(word)));
    }
  } catch (const std::bad_alloc&) {
    PrintLine("ERROR (LoadCreateWORDArrayOpenFile): Could not allocate array buffer of %d elements", max);
    return false;
  }
  *count = static_cast<int>(values.size());
  *words = std::move(values);
  return true;
}

std::unique_ptr<WordList> LoadCreateWORDListOpenFile(TextDataFile* file, int max) {
  std::vector<uint16_t> words;
  int count = 0;
  if (!LoadCreateWORDArrayOpenFile(file, max, &words, &count)) return nullptr;
  if (count > 0x7FFF) {
    PrintLine("ERROR (LoadCreateWORDListOpenFile): Failed to create object");
    return nullptr;
  }
  auto list = std::make_unique<WordList>();
  list->Vector() = std::move(words);
  return list;
}

std::unique_ptr<WordList> LoadCreateWListSWOpenFile(TextDataFile* file, uint16_t n) {
  std::vector<uint16_t> words;
  uint16_t count = 0;
  if (!ReadSizedWordArraySW(file, &words, n, &count, nullptr)) return nullptr;
  if (count > 0x7FFF) {
    // A word list counts in 16 signed bits.
    PrintLine("ERROR (LoadCreateWListSWOpenFile): Invalid list size %d", count);
    return nullptr;
  }
  auto list = std::make_unique<WordList>();
  list->Vector() = std::move(words);  // entries after the last value read are 0
  return list;
}

bool LoadCreateBListExOpenFile(TextDataFile* file, std::unique_ptr<ByteList>* list) {
  if (file == nullptr || list == nullptr) {
    PrintLine("ERROR (LoadCreateBListExOpenFile): Missing param(s)");
    return false;
  }
  list->reset();
  int16_t n = 0;
  ReadS16(file, &n);
  if (n < 1 || n > 255) {
    PrintLine("ERROR (LoadCreateBListExOpenFile): Size out of range (%d)", n);
    return false;
  }
  auto bytes = std::make_unique<ByteList>();
  if (!bytes->Init(n)) {
    PrintLine("ERROR (LoadCreateBListExOpenFile): Failed to init object");
    return false;
  }
  bool extra = false;
  ReadValues(file, bytes->Vector(), extra);
  if (extra) {
    PrintLine("ERROR (LoadCreateBListExOpenFile): List exceeds declared size");
    return false;
  }
  *list = std::move(bytes);
  return true;
}

bool WriteSizedWordArray(FILE* file, const uint16_t* words, int n) {
  if (file == nullptr || words == nullptr || n == 0) {
    PrintLine("ERROR (WriteSizedWordArray): Missing or invalid parameter(s)");
    return false;
  }
  std::fprintf(file, "%d ", n);
  for (int i = 0; i < n; ++i) std::fprintf(file, "%d ", words[i]);
  std::fputc('\n', file);
  return true;
}

bool WriteSizedWordArraySW(FILE* file, const WordList* list, const char* prefix) {
  if (file == nullptr || list == nullptr) {
    PrintLine("ERROR (WriteSizedWordArraySW): Missing or invalid parameter(s)");
    return false;
  }
  if (list->Items() == nullptr || list->Count() == 0) return true;
  if (prefix != nullptr) std::fputs(prefix, file);
  for (int i = 0; i < list->Count(); ++i) std::fprintf(file, "%d ", (*list)[static_cast<size_t>(i)]);
  std::fputc('\n', file);
  return true;
}
