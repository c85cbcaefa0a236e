#include "ytn1/trace_list.h"

#include <cstdio>

#include "ytn1/settings_state.h"
#include "ytn1/ytn1.h"

namespace ytn1 {

TraceList& TraceList::Instance() {
  static TraceList list;
  return list;
}

}  // namespace ytn1

extern "C" WORD WINAPI TraceError(LPCSTR first, int number, LPCSTR second, DWORD code) {
  if (ytn1::Settings().userMode == 0) return 0;
  char line[512];
  std::snprintf(line, sizeof line, "%s [%d] %s Error: %lxh", first ? first : "", number, second ? second : "",
                (unsigned long)code);
  ytn1::TraceList& t = ytn1::TraceList::Instance();
  if (!t.IsOpen()) t.Open();
  t.Append(line);
  return 0;
}
