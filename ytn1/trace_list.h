// The error trace that TraceError fills in user mode, shown by the TRACE
// ERROR window while it is open.
#pragma once
#include <string>
#include <vector>

namespace ytn1 {

// The open TRACE ERROR window, told of each line.
class TraceWatcher {
 public:
  virtual void OnTraceLine(const std::string& line) = 0;

 protected:
  ~TraceWatcher() = default;
};

class TraceList {
 public:
  static TraceList& Instance();
  // True while a TRACE ERROR window shows the trace.
  bool IsOpen() const { return watcher_ != nullptr; }
  // A new window starts with an empty trace.
  void Open(TraceWatcher* watcher) {
    watcher_ = watcher;
    lines_.clear();
  }
  // The window is gone: the next line opens a fresh one.
  void Close() {
    watcher_ = nullptr;
    lines_.clear();
  }
  bool IsShownBy(const TraceWatcher* watcher) const { return watcher_ == watcher; }
  void Append(const std::string& line);
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  TraceWatcher* watcher_ = nullptr;
  std::vector<std::string> lines_;
};

}  // namespace ytn1
