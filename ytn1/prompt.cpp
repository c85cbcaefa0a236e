#include "ytn1/prompt.h"

#include <deque>
#include <mutex>

#include "platform/ui/afxcommdlg.h"

namespace ytn1 {

namespace {

struct PromptQueue {
  std::mutex mutex;
  std::deque<std::string> paths;
  std::vector<PromptRecord> records;
};

PromptQueue& Queue() {
  static PromptQueue q;
  return q;
}

}  // namespace

int ShowMessage(const char* text, const char* caption, UINT type) {
  return MessageBox(nullptr, text, caption ? caption : "YTN1", type);
}

bool AskFileName(bool save, const char* initialName, const char* filter, std::string* path) {
  {
    PromptQueue& q = Queue();
    std::lock_guard<std::mutex> g(q.mutex);
    q.records.push_back({save ? "save" : "open", filter ? filter : "", initialName ? initialName : "", 0});
    if (!q.paths.empty()) {
      *path = q.paths.front();
      q.paths.pop_front();
      return !path->empty();
    }
  }
  // No owner; the read-only box hidden, and a save asks before it
  // overwrites a file.
  const DWORD flags = save ? OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT : OFN_HIDEREADONLY;
  CFileDialog dialog(save ? FALSE : TRUE, nullptr, initialName, flags, filter, nullptr);
  if (dialog.DoModal() != IDOK) return false;
  *path = static_cast<const char*>(dialog.GetPathName());
  return !path->empty();
}

void ErrorBeep(DWORD frequency, DWORD ms) {
  PromptQueue& q = Queue();
  std::lock_guard<std::mutex> g(q.mutex);
  q.records.push_back({"beep", "", "", UINT(frequency)});
}

void PushFileAnswer(const std::string& path) {
  std::lock_guard<std::mutex> g(Queue().mutex);
  Queue().paths.push_back(path);
}

std::vector<PromptRecord>& PromptRecords() { return Queue().records; }

}  // namespace ytn1
