#pragma once
// An open text data file. The whole file is read into memory when opened;
// a CR directly before a LF is dropped so that files saved with Windows line
// ends read exactly like the others. Reading follows the standard stream
// rules the formats were written for: the end-of-file indicator is set only
// by a read that runs into the end, and a character read can be put back.
#include <cstdio>
#include <string>
#include <string_view>

class TextDataFile {
 public:
  // Largest keyword and value texts: 511 and 2047 characters.
  static constexpr size_t TokenCapacity = 512;
  static constexpr size_t ValueCapacity = 2048;

  TextDataFile() = default;
  TextDataFile(const TextDataFile&) = delete;
  TextDataFile& operator=(const TextDataFile&) = delete;

  // Opens an engine path (backslashes, see platform/Files.h); false if it
  // cannot be read. An empty path never opens.
  bool Open(const std::string& enginePath);
  // Uses the given text as the file contents (tools and tests).
  void OpenText(std::string_view text);
  void Close();
  bool IsOpen() const { return open_; }
  const std::string& Path() const { return path_; }

  // The end-of-file indicator.
  bool AtEnd() const { return eof_; }
  // Back to the first character; clears the end-of-file indicator.
  void Rewind() {
    pos_ = 0;
    eof_ = false;
  }
  size_t Tell() const { return pos_; }
  void Seek(size_t pos) {
    pos_ = pos < data_.size() ? pos : data_.size();
    eof_ = false;
  }
  size_t Size() const { return data_.size(); }

  // The next character as unsigned char, or EOF (which sets the indicator).
  int Get() {
    if (pos_ < data_.size()) return static_cast<unsigned char>(data_[pos_++]);
    eof_ = true;
    return EOF;
  }
  // Puts back the character just read by Get; EOF is ignored.
  void Unget(int c) {
    if (c != EOF && pos_ > 0) --pos_;
  }
  int Peek() const { return pos_ < data_.size() ? static_cast<unsigned char>(data_[pos_]) : EOF; }

  // Reads up to and including the next newline (not stored); false when the
  // file was already at its end. Lines are not limited in length.
  bool ReadLine(std::string& line);

  // The value text of the string readers: valid until the next read.
  char* ValueText() { return value_; }

 private:
  std::string data_;
  std::string path_;
  size_t pos_ = 0;
  bool eof_ = false;
  bool open_ = false;
  char value_[ValueCapacity] = "";
};
