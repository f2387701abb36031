#pragma once
// Records the keys the player presses as a key script (--record FILE), so that
// a session can be replayed headless with --keys-file FILE. The script starts
// with <seed:N>; each key press is preceded by <wait:MS> with the milliseconds
// since the previous one.
#include <cstdint>
#include <cstdio>
#include <string>

class KeyRecorder {
 public:
  KeyRecorder(uint32_t seed, uint64_t startTicks);
  ~KeyRecorder();
  KeyRecorder(const KeyRecorder&) = delete;
  KeyRecorder& operator=(const KeyRecorder&) = delete;

  // Writes the script to `path` as it grows (flushed after every key). False
  // and an error line when the file cannot be created.
  bool OpenFile(const std::string& path, std::string& error);

  void RecordKey(uint64_t ticks, int key, bool shift, bool control);
  void RecordClose(uint64_t ticks);

  const std::string& Text() const { return text_; }

 private:
  void Append(uint64_t ticks, const std::string& token);

  std::string text_;
  uint64_t lastTicks_;
  int tokensOnLine_ = 0;
  FILE* file_ = nullptr;
};
