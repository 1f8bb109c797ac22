#include "platform/foundation/log.h"

#include <syslog.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace orval {
namespace {

// The innermost live capture; one thread, so a plain pointer suffices.
LogCapture* gCapture = nullptr;

bool logToStderr() {
  const char* v = std::getenv("ORVAL_LOG");
  return v && std::string_view(v) == "stderr";
}

}  // namespace

void logMessage(std::string_view line) {
  if (gCapture) {
    gCapture->lines_.emplace_back(line);
    if (gCapture->sinks_ == LogCapture::Sinks::Silenced) return;
  }
  static const bool opened = [] {
    openlog("orval", LOG_PID, LOG_USER);
    return true;
  }();
  (void)opened;
  const std::string text(line);
  syslog(LOG_NOTICE, "%s", text.c_str());
  if (logToStderr()) std::fprintf(stderr, "%s\n", text.c_str());
}

LogCapture::LogCapture(Sinks sinks) : previous_(gCapture), sinks_(sinks) { gCapture = this; }

LogCapture::~LogCapture() { gCapture = previous_; }

bool LogCapture::contains(std::string_view fragment) const {
  for (const std::string& l : lines_)
    if (l.find(fragment) != std::string::npos) return true;
  return false;
}

}  // namespace orval
