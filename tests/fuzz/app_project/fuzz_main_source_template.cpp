// Fills arbitrary bytes as a board template: the first byte picks the
// board, the task type and "Mini-". Every template line comes out as one
// or two lines with its own line end, and lines that no rule touches come
// out unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/main_source_generator.h"

namespace {

size_t FuzzTemplateLines(const std::string& text) {
  size_t lines = 0;
  for (char c : text) lines += c == '\n';
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t pick = data[0];
  const MainSourceTemplate board = (pick & 1) ? MainSourceTemplate::kTessera : MainSourceTemplate::kZor;
  const int taskType = (pick >> 1) & 3;
  const bool mini = (pick & 8) != 0;
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string out = FillTemplateText(text, board, taskType, "0x12", mini);
  // A template line becomes at most two lines.
  size_t in = FuzzTemplateLines(text), got = FuzzTemplateLines(out);
  if (got < in || got > 2 * in + 1) abort();
  // CR LF templates stay CR LF: no bare LF appears where none was.
  if (text.find('\n') != std::string::npos && text.find("\r\n") != std::string::npos) {
    bool allCrLf = true;
    for (size_t i = 0; i < text.size(); ++i)
      if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) allCrLf = false;
    if (allCrLf)
      for (size_t i = 0; i < out.size(); ++i)
        if (out[i] == '\n' && (i == 0 || out[i - 1] != '\r')) abort();
  }
  // Without "PROGRAMM_NUMBER", "pdt" and "PDT" and for task type 0 nothing changes
  // but "qj8" names on Mini boards.
  if (taskType == 0 && !mini && text.find("PROGRAMM_NUMBER") == std::string::npos && out != text) abort();
  return 0;
}
