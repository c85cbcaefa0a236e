#include "ytn1/trace_list.h"

#include <cstdio>

#include "ytn1/settings_state.h"
#include "ytn1/trace_error_dialog.h"
#include "ytn1/ytn1.h"

namespace ytn1 {

TraceList& TraceList::Instance() {
  static TraceList list;
  return list;
}

void TraceList::Append(const std::string& line) {
  lines_.push_back(line);
  if (watcher_) watcher_->OnTraceLine(line);
}

}  // namespace ytn1

extern "C" WORD WINAPI TraceError(LPCSTR first, int number, LPCSTR second, DWORD code) {
  if (ytn1::Settings().userMode == 0) return 0;
  char line[512];
  std::snprintf(line, sizeof line, "%s [%d] %s Error: %lxh", first ? first : "", number, second ? second : "",
                (unsigned long)code);
  ytn1::TraceList& trace = ytn1::TraceList::Instance();
  if (!trace.IsOpen()) ytn1::CTraceErrorDialog::Open();
  if (trace.IsOpen()) trace.Append(line);
  return 0;
}
