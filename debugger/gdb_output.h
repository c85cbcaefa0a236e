// What gdb's output means to the IDE. gdb runs with annotations on; its
// output arrives in reads of any size and is cut into lines here, each
// line classified and handed to a watcher. Every command's answer ends at
// gdb's prompt, so the answers of "ptype" and "p" are paired with the
// command that asked, whatever they hold.
#pragma once

#include <cstddef>
#include <deque>
#include <mutex>
#include <string>

// The receiver of what the parser found; called on the reading thread.
class GdbOutputWatcher {
 public:
  virtual ~GdbOutputWatcher() = default;
  // A frame line of "bt", without its "#n", ended by CR LF.
  virtual void OnCallStackText(const char* text) = 0;
  // The program ended (normally, with an exit code or by a signal).
  virtual void OnProgramExited(const char* line) = 0;
  // The program stopped at a source line (an annotation).
  virtual void OnStopLocation(const char* file, int line) = 0;
  // The value of a watch: its type text ("" when unknown) and value text.
  virtual void OnWatchValue(const char* typeText, const char* valueText) = 0;
  // Any other line, for the Build pane.
  virtual void OnOutputText(const char* line) = 0;
  // gdb took commands again after a command that ran the program.
  virtual void OnRunEnded() {}
};

// What a command's answer is read as.
enum class GdbAnswerKind {
  kOther,  // lines go through the general classification
  kType,   // "ptype": "type = ..." (possibly over several lines)
  kValue,  // "p": exactly one watch value, "<not defined>" for any error
  kRun,    // "r", "c", "s", "n": as kOther; its end means the program stopped
};

// The source position of an annotation line ("\032\032file:line:...").
struct GdbLocation {
  std::string file;  // "//c/x/y.c" becomes "c:\x\y.c"; '/' becomes '\'
  int line = 0;
};
// `text` starts after the two 0x1A bytes.
GdbLocation ParseGdbLocation(const char* text);

class GdbOutputParser {
 public:
  static constexpr const char* kPrompt = "(gdb) ";
  static constexpr const char* kNotDefined = "<not defined>";
  // A line longer than this is handed on in pieces.
  static constexpr size_t kMaxLine = 65536;

  // The answer before gdb's first prompt (its greeting) is read as kOther.
  explicit GdbOutputParser(GdbOutputWatcher& watcher);

  // Called for each command written to gdb, in the order written (any
  // thread).
  void ExpectAnswer(GdbAnswerKind kind);
  // Takes the bytes of one read; text after the last line end is kept for
  // the next read.
  void Feed(const char* bytes, size_t length);
  // The output ended: a kept last line is handled, open answers end.
  void Finish();

  // The type text of the last "ptype" answer.
  const std::string& TypeText() const { return m_type; }

 private:
  void TakePrompts(std::string& text);
  void EndAnswer();
  GdbAnswerKind CurrentKind();
  void HandleLine(std::string line);
  bool HandleTypeLine(const std::string& line);
  bool HandleValueLine(const std::string& line);
  void HandleGeneralLine(const std::string& line);

  GdbOutputWatcher& m_watcher;
  std::string m_pending;  // text after the last line end
  std::string m_type;
  bool m_multiLineType = false;
  bool m_valueGiven = false;  // the current value answer has its value
  std::mutex m_lock;          // guards m_answers
  std::deque<GdbAnswerKind> m_answers;
};
