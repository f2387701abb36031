#include "data/DataFileReader.h"

#include <cstring>

#include "data/DataReaders.h"
#include "data/DataScan.h"
#include "text/Output.h"

bool DataFileReader::Open(const std::string& enginePath) {
  Close();
  auto file = std::make_unique<TextDataFile>();
  if (!file->Open(enginePath)) return false;
  current_ = std::move(file);
  return true;
}

void DataFileReader::OpenText(std::string_view text) {
  Close();
  current_ = std::make_unique<TextDataFile>();
  current_->OpenText(text);
}

void DataFileReader::Close() {
  current_.reset();
  outer_.reset();
  skipAfterInclude_ = false;
  token_[0] = '\0';
}

bool DataFileReader::AtEnd() const { return current_ == nullptr || current_->AtEnd(); }

const char* DataFileReader::NextKeyword() {
  skipAfterInclude_ = false;
  if (current_ == nullptr) return nullptr;
  bool block = false;
  for (;;) {
    if (current_->AtEnd()) {
      if (outer_ == nullptr) return nullptr;
      current_ = std::move(outer_);  // back to the line after the include
      continue;
    }
    token_[0] = '\0';
    datascan::ScanToken(*current_, token_, sizeof token_);
    if (block) {
      if (std::strcmp(token_, "*/") == 0) block = false;
    } else if (token_[0] == '#' || std::strcmp(token_, "QUORVELLIAN914") == 0) {
      // comment or header line
    } else if (std::strcmp(token_, "/*") == 0) {
      block = true;
    } else {
      return token_;
    }
    datascan::SkipLine(*current_);
  }
}

void DataFileReader::SkipLine() {
  if (skipAfterInclude_) {
    // The include line was passed over already; the included file starts fresh.
    skipAfterInclude_ = false;
    return;
  }
  if (current_ != nullptr) datascan::SkipLine(*current_);
}

const char* DataFileReader::ReadRestOfLine() {
  skipAfterInclude_ = false;
  return ::ReadRestOfLine(current_.get());
}
const char* DataFileReader::ReadWord() {
  skipAfterInclude_ = false;
  return ::ReadWord(current_.get());
}
const char* DataFileReader::ReadWordLoose() {
  skipAfterInclude_ = false;
  return ::ReadWordLoose(current_.get());
}
bool DataFileReader::ReadU16(uint16_t* out) {
  skipAfterInclude_ = false;
  return ::ReadU16(current_.get(), out);
}
bool DataFileReader::ReadInt(int* out) {
  skipAfterInclude_ = false;
  return ::ReadInt(current_.get(), out);
}
bool DataFileReader::ReadS16(int16_t* out) {
  skipAfterInclude_ = false;
  return ::ReadS16(current_.get(), out);
}
bool DataFileReader::ReadByte(uint8_t* out) {
  skipAfterInclude_ = false;
  return ::ReadByte(current_.get(), out);
}

bool DataFileReader::FindList() { return FindLine("LIST:"); }

bool DataFileReader::FindLine(const char* key) {
  skipAfterInclude_ = false;
  return FindKeywordLine(current_.get(), key);
}

namespace {
// Finds and reads a LIST: count; false when there is none or it is out of range
// (the latter with a message).
bool ReadListCount(DataFileReader& reader, bool skipFind, const char* operation, int* count) {
  if (!skipFind && !reader.FindList()) return false;
  int n = 0;
  if (!reader.ReadInt(&n)) return false;
  if (n < 0 || n > DataFileReader::MaxListCount) {
    PrintLine("ERROR (%s): Invalid list size %d", operation, n);
    return false;
  }
  *count = n;
  return true;
}
}  // namespace

std::unique_ptr<CVPList> DataFileReader::ReadListAsPointerList(bool skipFind) {
  int n = 0;
  if (!ReadListCount(*this, skipFind, "ReadListAsPointerList", &n)) return nullptr;
  auto list = std::make_unique<CVPList>();
  if (!list->Init(n)) return nullptr;
  return list;
}

std::unique_ptr<IntList> DataFileReader::ReadListAsIntList(bool skipFind) {
  int n = 0;
  if (!ReadListCount(*this, skipFind, "ReadListAsIntList", &n)) return nullptr;
  auto list = std::make_unique<IntList>();
  if (!list->Init(n)) return nullptr;
  return list;
}

bool DataFileReader::ResizeIntList(IntList* list, bool strict) {
  if (list == nullptr) return true;
  if (!FindList()) return !strict;
  int n = 0;
  if (!ReadInt(&n)) return !strict;
  if (n < 0 || n > MaxListCount) {
    PrintLine("ERROR (ResizeIntList): Invalid list size %d", n);
    return false;
  }
  return list->Init(n);
}

bool DataFileReader::Include(const std::string& enginePath) {
  skipAfterInclude_ = false;
  if (outer_ != nullptr) {
    PrintLine("ERROR (Include): Cannot include from an include");
    return false;
  }
  if (current_ == nullptr) return false;
  auto included = std::make_unique<TextDataFile>();
  if (!included->Open(enginePath)) {
    PrintLine("ERROR (Include): Could not open file %s", enginePath.c_str());
    return false;
  }
  datascan::SkipLine(*current_);
  outer_ = std::move(current_);
  current_ = std::move(included);
  skipAfterInclude_ = true;
  return true;
}
