#include "platform/ui/modal.h"

#include <QGuiApplication>
#include <cstdio>
#include <deque>
#include <mutex>

namespace {

struct ModalState {
  std::mutex m;
  std::vector<plat::ModalRecord> records;
  std::deque<plat::DialogAction> dialogActions;
  plat::DialogAction dialogHandler;
  std::deque<UINT> menuAnswers;
  std::function<UINT(HMENU)> menuHandler;
  std::deque<plat::CommonDialogAnswer> commonAnswers;
  std::function<plat::CommonDialogAnswer(const std::string&, const std::string&)> commonHandler;
};

ModalState& State() {
  static ModalState* s = new ModalState;
  return *s;
}

}  // namespace

namespace plat {

std::vector<ModalRecord> ModalRecords() {
  std::lock_guard<std::mutex> lock(State().m);
  return State().records;
}

void ClearModalRecords() {
  ModalState& s = State();
  std::lock_guard<std::mutex> lock(s.m);
  s.records.clear();
  s.dialogActions.clear();
  s.menuAnswers.clear();
  s.commonAnswers.clear();
}

bool IsHeadless() {
  if (!qApp) return true;
  QString p = QGuiApplication::platformName();
  return p == "offscreen" || p == "minimal" || p.isEmpty();
}

void PushDialogAction(DialogAction action) {
  std::lock_guard<std::mutex> lock(State().m);
  State().dialogActions.push_back(std::move(action));
}

void SetDialogHandler(DialogAction handler) {
  std::lock_guard<std::mutex> lock(State().m);
  State().dialogHandler = std::move(handler);
}

void PushMenuAnswer(UINT id) {
  std::lock_guard<std::mutex> lock(State().m);
  State().menuAnswers.push_back(id);
}

void SetMenuHandler(std::function<UINT(HMENU)> handler) {
  std::lock_guard<std::mutex> lock(State().m);
  State().menuHandler = std::move(handler);
}

void PushCommonDialogAnswer(const CommonDialogAnswer& answer) {
  std::lock_guard<std::mutex> lock(State().m);
  State().commonAnswers.push_back(answer);
}

void SetCommonDialogHandler(
    std::function<CommonDialogAnswer(const std::string&, const std::string&)> handler) {
  std::lock_guard<std::mutex> lock(State().m);
  State().commonHandler = std::move(handler);
}

}  // namespace plat

namespace mirt_ui {

void RecordModal(const std::string& kind, const std::string& caption, INT_PTR result) {
  std::lock_guard<std::mutex> lock(State().m);
  State().records.push_back(plat::ModalRecord{kind, caption, result});
}

bool TakeDialogAction(plat::DialogAction* action) {
  ModalState& s = State();
  std::lock_guard<std::mutex> lock(s.m);
  if (!s.dialogActions.empty()) {
    *action = std::move(s.dialogActions.front());
    s.dialogActions.pop_front();
    return true;
  }
  if (s.dialogHandler) {
    *action = s.dialogHandler;
    return true;
  }
  return false;
}

bool TakeMenuAnswer(HMENU menu, UINT* id) {
  std::function<UINT(HMENU)> handler;
  {
    ModalState& s = State();
    std::lock_guard<std::mutex> lock(s.m);
    if (!s.menuAnswers.empty()) {
      *id = s.menuAnswers.front();
      s.menuAnswers.pop_front();
      return true;
    }
    handler = s.menuHandler;
  }
  if (!handler) return false;
  *id = handler(menu);
  return true;
}

bool TakeCommonDialogAnswer(const std::string& kind, const std::string& caption,
                            plat::CommonDialogAnswer* answer) {
  std::function<plat::CommonDialogAnswer(const std::string&, const std::string&)> handler;
  {
    ModalState& s = State();
    std::lock_guard<std::mutex> lock(s.m);
    if (!s.commonAnswers.empty()) {
      *answer = s.commonAnswers.front();
      s.commonAnswers.pop_front();
      return true;
    }
    handler = s.commonHandler;
  }
  if (!handler) return false;
  *answer = handler(kind, caption);
  return true;
}

void ReportHeadless(const std::string& kind, const std::string& caption, const char* outcome) {
  std::fprintf(stderr, "%s [%s] -> %s\n", kind.c_str(), caption.c_str(), outcome);
  std::fflush(stderr);
}

}  // namespace mirt_ui
