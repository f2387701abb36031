#pragma once
// Where the scenario loaders are reading, for the messages they print. Each
// loader opens a LoadSite for the file it reads and marks the start of every
// keyword it handles. The game prints its lines unchanged; korva-tool check
// installs a listener over its output capture, and every line printed while
// a site is open (by the loader itself or by the data-file readers it calls)
// is handed to the listener with the file and the line of the latest mark.
#include <string>

#include "text/Output.h"

class LoadSite {
 public:
  // `text` is the file's whole text; it must outlive the site.
  LoadSite(const std::string& file, const std::string& text);
  explicit LoadSite(const std::string& file);  // a file that was not read (line 0)
  ~LoadSite();
  LoadSite(const LoadSite&) = delete;
  LoadSite& operator=(const LoadSite&) = delete;

  void Mark(const char* pos) { mark = pos; }
  const std::string& File() const { return file; }
  int Line();  // 1-based line of the latest mark; 0 when the file was not read

 private:
  std::string file;
  const char* begin = nullptr;
  const char* end = nullptr;
  const char* mark = nullptr;
  const char* countedTo = nullptr;
  int countedLine = 1;
  LoadSite* outer = nullptr;
};

struct LoadMessage {
  std::string file;  // engine path; empty when no file was being read
  int line = 0;      // 0 when not known
  std::string text;  // the line as printed
};

using LoadMessageListener = void (*)(void* user, const LoadMessage& message);
// `capture` is the output capture (SetOutputCapture) whose new lines are
// handed to the listener; none switches the listener off.
void SetLoadMessageListener(LoadMessageListener listener, void* user, std::string* capture);
// Hands the lines printed since the last call to the listener.
void FlushLoadMessages();

// Prints one line through PrintLine (the loaders' error and warning lines).
int ScenarioMessage(const char* format, ...) KORVA_PRINTF(1, 2);
