// The lines of the TRACE ERROR window: filled by TraceError in user mode.
#pragma once
#include <string>
#include <vector>

namespace ytn1 {

class TraceList {
 public:
  static TraceList& Instance();
  bool IsOpen() const { return open_; }
  void Open() { open_ = true; }
  void Close() {
    open_ = false;
    lines_.clear();
  }
  void Append(const std::string& line) { lines_.push_back(line); }
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  bool open_ = false;
  std::vector<std::string> lines_;
};

}  // namespace ytn1
