#include "scenario/LoadReport.h"

#include <cstdarg>
#include <cstdio>

namespace {
LoadSite* innermost = nullptr;
LoadMessageListener listener = nullptr;
void* listenerUser = nullptr;
std::string* watched = nullptr;
size_t watchedUpTo = 0;
}  // namespace

void FlushLoadMessages() {
  if (!listener || !watched) return;
  if (watchedUpTo > watched->size()) watchedUpTo = watched->size();
  size_t end;
  while ((end = watched->find('\n', watchedUpTo)) != std::string::npos) {
    LoadMessage m;
    if (innermost) {
      m.file = innermost->File();
      m.line = innermost->Line();
    }
    m.text = watched->substr(watchedUpTo, end - watchedUpTo);
    watchedUpTo = end + 1;
    listener(listenerUser, m);
  }
}

LoadSite::LoadSite(const std::string& file, const std::string& text)
    : file(file), begin(text.data()), end(text.data() + text.size()), mark(text.data()), countedTo(text.data()), outer(innermost) {
  FlushLoadMessages();
  innermost = this;
}

LoadSite::LoadSite(const std::string& file) : file(file), outer(innermost) {
  FlushLoadMessages();
  innermost = this;
}

LoadSite::~LoadSite() {
  FlushLoadMessages();
  innermost = outer;
}

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

void SetLoadMessageListener(LoadMessageListener l, void* user, std::string* capture) {
  FlushLoadMessages();
  listener = capture ? l : nullptr;
  listenerUser = user;
  watched = capture;
  watchedUpTo = capture ? capture->size() : 0;
}

int ScenarioMessage(const char* format, ...) {
  char text[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  FlushLoadMessages();
  int r = PrintLine("%s", text);
  FlushLoadMessages();
  return r;
}
