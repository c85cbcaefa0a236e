#include "debugger/gdb_output.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr char kGdbAnnotationByte = '\x1a';

bool GdbStartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::strlen(prefix), prefix) == 0;
}

bool GdbEndsWith(const std::string& text, const char* suffix) {
  size_t n = std::strlen(suffix);
  return text.size() >= n && text.compare(text.size() - n, n, suffix) == 0;
}

// Older gdbs end with "Program exited normally." (or "with code NN."),
// newer ones with "[Inferior 1 (process N) exited normally]" (or "exited
// with code NN]"); a program killed by a signal ends as well.
bool GdbIsProgramEnd(const std::string& line) {
  if (line == "Program exited normally." || GdbStartsWith(line, "Program exited with code ") ||
      GdbStartsWith(line, "Program terminated with signal"))
    return true;
  return GdbStartsWith(line, "[Inferior ") &&
         (GdbEndsWith(line, " exited normally]") || line.find(" exited with code ") != std::string::npos);
}

}  // namespace

GdbLocation ParseGdbLocation(const char* text) {
  GdbLocation location;
  const char* p = text;
  while (*p && *p != ':') {
    if (p[0] == '/' && p[1] == '/' && p[2] && p[2] != ':' && p[2] != '/') {
      location.file += p[2];
      location.file += ':';
      p += 3;
    } else {
      location.file += *p == '/' ? '\\' : *p;
      ++p;
    }
  }
  if (*p == ':') location.line = std::atoi(p + 1);
  return location;
}

GdbOutputParser::GdbOutputParser(GdbOutputWatcher& watcher) : m_watcher(watcher) {
  m_answers.push_back(GdbAnswerKind::kOther);
}

void GdbOutputParser::ExpectAnswer(GdbAnswerKind kind) {
  std::lock_guard<std::mutex> hold(m_lock);
  m_answers.push_back(kind);
}

GdbAnswerKind GdbOutputParser::CurrentKind() {
  std::lock_guard<std::mutex> hold(m_lock);
  return m_answers.empty() ? GdbAnswerKind::kOther : m_answers.front();
}

void GdbOutputParser::EndAnswer() {
  GdbAnswerKind kind = CurrentKind();
  if (kind == GdbAnswerKind::kValue && !m_valueGiven) m_watcher.OnWatchValue("", kNotDefined);
  if (kind == GdbAnswerKind::kRun) m_watcher.OnRunEnded();
  m_valueGiven = false;
  m_multiLineType = false;
  std::lock_guard<std::mutex> hold(m_lock);
  if (!m_answers.empty()) m_answers.pop_front();
  if (!m_answers.empty() && m_answers.front() == GdbAnswerKind::kType) m_type.clear();
}

void GdbOutputParser::TakePrompts(std::string& text) {
  const size_t n = std::strlen(kPrompt);
  size_t at = 0;
  while (text.compare(at, n, kPrompt) == 0) {
    at += n;
    EndAnswer();
  }
  if (at) text.erase(0, at);
}

void GdbOutputParser::Feed(const char* bytes, size_t length) {
  m_pending.append(bytes, length);
  size_t start = 0;
  for (;;) {
    size_t end = m_pending.find('\n', start);
    if (end == std::string::npos) break;
    HandleLine(m_pending.substr(start, end - start));
    start = end + 1;
  }
  m_pending.erase(0, start);
  // A prompt waits for no line end: the answer before it is complete.
  TakePrompts(m_pending);
  while (m_pending.size() > kMaxLine) {
    HandleLine(m_pending.substr(0, kMaxLine));
    m_pending.erase(0, kMaxLine);
  }
}

void GdbOutputParser::Finish() {
  if (!m_pending.empty()) HandleLine(std::move(m_pending));
  m_pending.clear();
  for (;;) {
    {
      std::lock_guard<std::mutex> hold(m_lock);
      if (m_answers.empty()) break;
    }
    EndAnswer();
  }
}

void GdbOutputParser::HandleLine(std::string line) {
  TakePrompts(line);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  switch (CurrentKind()) {
    case GdbAnswerKind::kType:
      if (HandleTypeLine(line)) return;
      break;
    case GdbAnswerKind::kValue:
      if (HandleValueLine(line)) return;
      break;
    case GdbAnswerKind::kOther:
    case GdbAnswerKind::kRun:
      break;
  }
  HandleGeneralLine(line);
}

bool GdbOutputParser::HandleTypeLine(const std::string& line) {
  if (m_multiLineType) {
    if (!line.empty() && line[0] == '}') {
      m_type += line;
      m_multiLineType = false;
      return true;
    }
    if (!line.empty() && (line[0] == ' ' || line[0] == '\t')) {
      size_t text = line.find_first_not_of(" \t");
      if (text != std::string::npos) m_type += line.substr(text);
      return true;
    }
  }
  if (GdbStartsWith(line, "type = ")) {
    m_type = line.substr(std::strlen("type = "));
    m_multiLineType = !m_type.empty() && m_type.back() == '{';
    return true;
  }
  // An unknown name has no type; its value answer says so.
  return GdbStartsWith(line, "No symbol");
}

bool GdbOutputParser::HandleValueLine(const std::string& line) {
  if (m_valueGiven) return false;
  if (!line.empty() && line[0] == '$') {
    size_t first = line.find(' ');
    size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
    std::string value = second == std::string::npos ? std::string() : line.substr(second + 1);
    m_watcher.OnWatchValue(m_type.c_str(), value.c_str());
    m_valueGiven = true;
    return true;
  }
  if (GdbStartsWith(line, "No symbol")) {
    m_watcher.OnWatchValue("", kNotDefined);
    m_valueGiven = true;
    return true;
  }
  return false;
}

void GdbOutputParser::HandleGeneralLine(const std::string& line) {
  if (!line.empty() && line[0] == '#') {
    size_t blank = line.find(' ');
    std::string text = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    if (!text.empty() && text[0] == ' ') text.erase(0, 1);
    text += "\r\n";
    m_watcher.OnCallStackText(text.c_str());
  } else if (GdbIsProgramEnd(line)) {
    m_watcher.OnProgramExited(line.c_str());
  } else if (line.size() >= 2 && line[0] == kGdbAnnotationByte && line[1] == kGdbAnnotationByte) {
    // Only source annotations ("file:line:...") are stops.
    if (line.find(':') == std::string::npos) return;
    GdbLocation location = ParseGdbLocation(line.c_str() + 2);
    m_watcher.OnStopLocation(location.file.c_str(), location.line);
  } else {
    m_watcher.OnOutputText(line.c_str());
  }
}
