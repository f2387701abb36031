#include "platform/KeyRecorder.h"

#include "platform/KeyScript.h"

KeyRecorder::KeyRecorder(uint32_t seed, uint64_t startTicks) : lastTicks_(startTicks) {
  text_ = "<seed:" + std::to_string(seed) + ">\n";
}

KeyRecorder::~KeyRecorder() {
  if (file_) {
    if (tokensOnLine_ > 0) std::fputc('\n', file_);
    std::fclose(file_);
  }
}

bool KeyRecorder::OpenFile(const std::string& path, std::string& error) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    error = "ERROR (KeyRecorder): Could not create record file " + path;
    return false;
  }
  if (file_) std::fclose(file_);
  file_ = f;
  std::fwrite(text_.data(), 1, text_.size(), file_);
  std::fflush(file_);
  return true;
}

void KeyRecorder::Append(uint64_t ticks, const std::string& token) {
  std::string piece;
  uint64_t elapsed = ticks > lastTicks_ ? ticks - lastTicks_ : 0;
  lastTicks_ = ticks;
  if (elapsed > 86400000u) elapsed = 86400000u;  // the longest wait a script accepts
  if (elapsed > 0) piece = "<wait:" + std::to_string(elapsed) + "> ";
  piece += token;
  if (++tokensOnLine_ >= 12) {
    piece += '\n';
    tokensOnLine_ = 0;
  } else {
    piece += ' ';
  }
  text_ += piece;
  if (file_) {
    std::fwrite(piece.data(), 1, piece.size(), file_);
    std::fflush(file_);
  }
}

void KeyRecorder::RecordKey(uint64_t ticks, int key, bool shift, bool control) {
  Append(ticks, KeyToken(key, shift, control));
}

void KeyRecorder::RecordClose(uint64_t ticks) { Append(ticks, "<close>"); }
