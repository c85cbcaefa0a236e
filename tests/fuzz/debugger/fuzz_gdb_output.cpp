// Reads arbitrary bytes as gdb's output. The first byte chooses the
// answers expected (two bits per command) and the read size; every value
// answer must give exactly one watch value, and no line handed on may be
// longer than the parser's limit.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "debugger/gdb_output.h"

namespace {

class FuzzGdbWatcher : public GdbOutputWatcher {
 public:
  void OnCallStackText(const char* text) override { Check(text); }
  void OnProgramExited(const char* line) override { Check(line); }
  void OnStopLocation(const char* file, int) override { Check(file); }
  void OnWatchValue(const char* type, const char* value) override {
    Check(type);
    Check(value);
    ++values;
  }
  void OnOutputText(const char* line) override { Check(line); }
  static void Check(const char* text) {
    if (std::strlen(text) > GdbOutputParser::kMaxLine + 2) abort();
  }
  size_t values = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  FuzzGdbWatcher watcher;
  GdbOutputParser parser(watcher);
  const uint8_t plan = data[0];
  const size_t piece = 1 + data[1] % 64;
  size_t valueQueries = 0;
  for (int i = 0; i < 4; ++i) {
    GdbAnswerKind kind = GdbAnswerKind((plan >> (2 * i)) % 4);
    if (kind == GdbAnswerKind::kValue) ++valueQueries;
    parser.ExpectAnswer(kind);
  }
  const char* text = reinterpret_cast<const char*>(data + 2);
  size_t length = size - 2;
  for (size_t at = 0; at < length; at += piece)
    parser.Feed(text + at, piece < length - at ? piece : length - at);
  parser.Finish();
  if (watcher.values != valueQueries) abort();
  return 0;
}
