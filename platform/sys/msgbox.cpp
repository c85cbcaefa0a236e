#include "platform/sys/msgbox.h"

#include <cstdio>
#include <deque>
#include <mutex>

#include "platform/base/cstring.h"
#include "platform/sys/profile.h"

namespace plat {

namespace {

struct MessageBoxState {
  std::mutex mutex;
  std::deque<int> answers;
  std::deque<MessageBoxRecord> records;  // the newest kMessageBoxRecordLimit
  std::function<int(const MessageBoxRecord&)> handler;
};

MessageBoxState& State() {
  static MessageBoxState* state = new MessageBoxState;
  return *state;
}

const char* AnswerName(int id) {
  static const char* names[] = {"",      "IDOK", "IDCANCEL", "IDABORT", "IDRETRY",    "IDIGNORE",
                                "IDYES", "IDNO", "IDCLOSE",  "IDHELP",  "IDTRYAGAIN", "IDCONTINUE"};
  return id >= 1 && id <= 11 ? names[id] : "?";
}

// One line: line breaks of the text become " | ".
std::string OneLine(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r' || s[i] == '\n') {
      if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
      out += " | ";
    } else {
      out += s[i];
    }
  }
  return out;
}

int Show(const std::string& caption, const std::string& text, UINT type) {
  MessageBoxRecord record{caption, text, type, 0};
  std::function<int(const MessageBoxRecord&)> handler;
  bool scripted = false;
  {
    MessageBoxState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (!s.answers.empty()) {
      record.answer = s.answers.front();
      s.answers.pop_front();
      scripted = true;
    } else {
      handler = s.handler;
    }
  }
  if (!scripted) {
    if (handler) {
      record.answer = handler(record);
    } else {
      record.answer = MessageBoxDefaultAnswer(type);
      std::fprintf(stderr, "message box [%s]: %s -> %s\n", OneLine(caption).c_str(), OneLine(text).c_str(),
                   AnswerName(record.answer));
      std::fflush(stderr);
    }
  }
  MessageBoxState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.records.push_back(record);
  if (s.records.size() > kMessageBoxRecordLimit) s.records.pop_front();
  return record.answer;
}

}  // namespace

std::vector<int> MessageBoxButtons(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
      return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
      return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
      return {IDYES, IDNO};
    case MB_RETRYCANCEL:
      return {IDRETRY, IDCANCEL};
    case MB_CANCELTRYCONTINUE:
      return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
    default:
      return {IDOK};
  }
}

int MessageBoxDefaultAnswer(UINT type) {
  std::vector<int> buttons = MessageBoxButtons(type);
  if (type & MB_HELP) buttons.push_back(IDHELP);
  size_t index = (type & MB_DEFMASK) >> 8;
  return index < buttons.size() ? buttons[index] : buttons[0];
}

void PushMessageBoxAnswer(int id) {
  MessageBoxState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.answers.push_back(id);
}

std::vector<MessageBoxRecord> MessageBoxRecords() {
  MessageBoxState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  return std::vector<MessageBoxRecord>(s.records.begin(), s.records.end());
}

void ClearMessageBoxRecords() {
  MessageBoxState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.records.clear();
  s.answers.clear();
}

void SetMessageBoxHandler(std::function<int(const MessageBoxRecord&)> handler) {
  MessageBoxState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.handler = std::move(handler);
}

}  // namespace plat

int MessageBox(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  return plat::Show(caption ? caption : "Error", text ? text : "", type);
}

int AfxMessageBox(LPCSTR text, UINT type, UINT) {
  if ((type & MB_ICONMASK) == 0) {
    switch (type & MB_TYPEMASK) {
      case MB_OK:
      case MB_OKCANCEL:
        type |= MB_ICONEXCLAMATION;
        break;
      case MB_YESNO:
      case MB_YESNOCANCEL:
        type |= MB_ICONQUESTION;
        break;
      default:
        break;
    }
  }
  CString caption = plat::Profile::App().GetAppName();
  return plat::Show(static_cast<LPCSTR>(caption), text ? text : "", type);
}

int AfxMessageBox(UINT promptId, UINT type, UINT helpId) {
  CString text;
  text.LoadString(promptId);
  return AfxMessageBox(static_cast<LPCSTR>(text), type, helpId == (UINT)-1 ? promptId : helpId);
}
