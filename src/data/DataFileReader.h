#pragma once
// The keyword reader of the text data files. Format:
//   - a line's keyword is its first token (a run of non-white characters),
//     compared case-sensitively as a whole token ("LIST:" includes the colon);
//   - a line whose first token begins with '#' is a comment;
//   - a line whose first token is exactly "/*" opens a block comment that runs
//     up to and including the next line whose first token is exactly "*/";
//   - a line whose first token is "QUORVELLIAN914" (the header
//     "QUORVELLIAN914 DATA V1") is skipped wherever it stands;
//   - "LIST: n" announces the number of entries that follow;
//   - one level of include: while an included file is open NextKeyword reads
//     from it and returns to the including file at its end.
// A loader's loop: for each keyword from NextKeyword compare it with the
// keywords it knows, read that keyword's values with the value readers, then
// SkipLine. Unknown keywords (the empty keyword at the very end included) are
// passed over.
#include <cstdint>
#include <memory>
#include <string>

#include "data/DataLists.h"
#include "data/PointerLists.h"
#include "data/TextDataFile.h"

class DataFileReader {
 public:
  // Largest LIST: count accepted; larger counts are refused as bad input.
  static constexpr int MaxListCount = 1 << 20;

  DataFileReader() = default;
  ~DataFileReader() { Close(); }
  DataFileReader(const DataFileReader&) = delete;
  DataFileReader& operator=(const DataFileReader&) = delete;

  // Opens an engine path; false if it cannot be read.
  bool Open(const std::string& enginePath);
  // Reads the given text as the file (tools and tests).
  void OpenText(std::string_view text);
  // Closes the current file and, if set, the outer file.
  void Close();
  bool IsOpen() const { return current_ != nullptr; }
  // The end-of-file indicator of the current file (true when none is open).
  bool AtEnd() const;
  // The file being read (the included one while an include is active), for
  // the free readers of data/DataReaders.h and data/SizedArrays.h.
  TextDataFile* File() { return current_.get(); }
  bool Including() const { return outer_ != nullptr; }

  // The next keyword, or none at the end of the input. The text is valid
  // until the next call; the rest of its line is left for the value readers.
  const char* NextKeyword();
  // Up to and including the next newline.
  void SkipLine();

  // Value readers on the current file; see data/DataReaders.h.
  const char* ReadRestOfLine();
  const char* ReadWord();
  const char* ReadWordLoose();
  bool ReadU16(uint16_t* out);
  bool ReadInt(int* out);
  bool ReadS16(int16_t* out);
  bool ReadByte(uint8_t* out);

  // FindKeywordLine for "LIST:" / the key on the current file.
  bool FindList();
  bool FindLine(const char* key);
  // FindList (unless skipFind), then the count: a new list of that many
  // empty positions / zeroed slots, or none. A count that cannot be read, is
  // negative or is above MaxListCount gives none (the last two with
  // "ERROR (<operation>): Invalid list size %d").
  std::unique_ptr<CVPList> ReadListAsPointerList(bool skipFind);
  std::unique_ptr<IntList> ReadListAsIntList(bool skipFind);
  // FindList, then the count; resizes the list to that many zeroed slots.
  // No list: success, nothing read. No LIST: line or no number: success
  // unless strict. A negative or too large count fails with a message.
  bool ResizeIntList(IntList* list, bool strict);

  // Opens the path as the included file. One level only: from an included
  // file it prints "ERROR (Include): Cannot include from an include"; a file
  // that cannot be opened prints "ERROR (Include): Could not open file %s".
  // The rest of the include line is passed over, so the loader's SkipLine
  // after the include keyword leaves the included file untouched.
  bool Include(const std::string& enginePath);

 private:
  std::unique_ptr<TextDataFile> current_;
  std::unique_ptr<TextDataFile> outer_;
  bool skipAfterInclude_ = false;
  char token_[TextDataFile::TokenCapacity] = "";
};
