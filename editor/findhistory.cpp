#include "editor/findhistory.h"

#include <algorithm>

#include "editor/editplatform.h"
#include "platform/base/format.h"
#include "platform/sys/profile.h"

namespace {
constexpr const char* kFindSection = "Settings\\Find";

CString KeyOf(HistoryKind kind, int index) {
  CString key;
  key.Format(kind == HistoryKind::Find ? "Find%d" : "Replace%d", index);
  return key;
}
}  // namespace

void AddToHistory(std::vector<CString>& entries, const CString& text, HistoryKind kind) {
  CString entry = text;
  if (entry.IsEmpty()) {
    if (kind == HistoryKind::Find) return;
    entry = kEmptyReplacement;
  }
  if (!entries.empty() && entries.front() == entry) return;
  auto same = std::find(entries.begin(), entries.end(), entry);
  if (same != entries.end()) entries.erase(same);
  entries.insert(entries.begin(), entry);
  if (entries.size() > kHistorySize) entries.resize(kHistorySize);
}

std::vector<CString> LoadHistory(HistoryKind kind) {
  std::vector<CString> entries;
  for (int i = 1; i <= kHistorySize; ++i) {
    CString value = EditProfileString(kFindSection, KeyOf(kind, i), "");
    if (value.IsEmpty()) break;
    entries.push_back(value);
  }
  return entries;
}

void SaveHistory(const std::vector<CString>& entries, HistoryKind kind) {
  auto& profile = plat::Profile::App();
  for (int i = 1; i <= static_cast<int>(entries.size()) && i <= kHistorySize; ++i) {
    profile.WriteProfileString(kFindSection, KeyOf(kind, i), entries[i - 1]);
  }
}

CString LastSearchText() { return EditProfileString(kFindSection, "Find1", ""); }
