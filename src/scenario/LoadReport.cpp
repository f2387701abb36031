#include "scenario/LoadReport.h"

#include <cstdarg>
#include <cstdio>

namespace {
LoadSite* innermost = nullptr;
LoadMessageListener listener = nullptr;
void* listenerUser = nullptr;
}  // namespace

LoadSite::LoadSite(const std::string& file, const std::string& text)
    : file(file), begin(text.data()), end(text.data() + text.size()), mark(text.data()), countedTo(text.data()), outer(innermost) {
  innermost = this;
}

LoadSite::LoadSite(const std::string& file) : file(file), outer(innermost) { innermost = this; }

LoadSite::~LoadSite() { innermost = outer; }

int LoadSite::Line() {
  if (!begin || !mark) return 0;
  const char* target = mark < begin ? begin : (mark > end ? end : mark);
  if (target < countedTo) {
    countedTo = begin;
    countedLine = 1;
  }
  for (const char* p = countedTo; p < target; ++p)
    if (*p == '\n') ++countedLine;
  countedTo = target;
  return countedLine;
}

void SetLoadMessageListener(LoadMessageListener l, void* user) {
  listener = l;
  listenerUser = user;
}

int ScenarioMessage(const char* format, ...) {
  char text[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  int r = PrintLine("%s", text);
  if (listener) {
    LoadMessage m;
    if (innermost) {
      m.file = innermost->File();
      m.line = innermost->Line();
    }
    m.text = text;
    listener(listenerUser, m);
  }
  return r;
}
