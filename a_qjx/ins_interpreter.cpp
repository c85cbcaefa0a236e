// Running installation files and recognising their lines.
#include "a_qjx/ins_interpreter.h"

#include <cstring>
#include <string>
#include <vector>

#include "a_qjx/board_family.h"
#include "a_qjx/ins_texts.h"
#include "drivers/dovi32/dovi32.h"
#include "drivers/rizo32/rizo32.h"
#include "platform/base/afxexcept.h"
#include "platform/sys/cfile.h"
#include "ytn1/prompt.h"

std::atomic<DWORD> g_driverErrorRequest{0};

void OnDriverErrorRequest() { g_driverErrorRequest = 1; }

namespace {

// While a line runs, the QJ driver reports failed calls to the
// interpreter; the handler that was registered before comes back after.
class DriverErrorHook {
 public:
  explicit DriverErrorHook(bool on) : on_(on) {
    if (on_) previous_ = qj8_set_error_handling(OnDriverErrorRequest);
  }
  ~DriverErrorHook() {
    if (on_) qj8_set_error_handling(previous_);
  }
  DriverErrorHook(const DriverErrorHook&) = delete;
  DriverErrorHook& operator=(const DriverErrorHook&) = delete;

 private:
  bool on_;
  QJ_CALLBACK previous_ = nullptr;
};

void Box(const CString& text, UINT icon) {
  ytn1::ShowMessage(text, ins::kBoxCaption, MB_OK | icon | MB_TASKMODAL);
}

// The lines of a text file (CR LF or LF); false when it cannot be read.
bool ReadLines(LPCTSTR path, std::vector<CString>* lines) {
  if (!path || !*path) return false;
  CStdioFile file;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeText)) return false;
  bool ok = true;
  try {
    CString line;
    while (file.ReadString(line)) lines->push_back(line);
  } catch (CException* e) {
    e->Delete();
    ok = false;
  }
  file.Abort();
  return ok;
}

}  // namespace

// The keywords in the order they are tried: a line starting with one of
// them is that command.
struct InsKeyword {
  const char* word;
  InsInterpreter::Handler handler;

  static const InsKeyword* Find(const CString& text) {
    using I = InsInterpreter;
    static const InsKeyword kKeywords[] = {
        {"Q8DEVICE", &I::Device},
        {"Q7DEVICE", &I::Device},
        {"Q6DEVICE", &I::Device},
        {"Q2DEVICE", &I::Device},
        {"Q8INST", &I::Inst},
        {"Q7INST", &I::Inst},
        {"Q6INST", &I::Inst},
        {"Q2INST", &I::Inst},
        {"Q8PAR", &I::Par},
        {"Q7PAR", &I::Par},
        {"Q6PAR", &I::Par},
        {"Q2PAR", &I::Par},
        {"Q8PROC", &I::Proc},
        {"Q7PROC", &I::Proc},
        {"Q6PROC", &I::Proc},
        {"Q2PROC", &I::Proc},
        {"Q8FUNC", &I::Func},
        {"Q7FUNC", &I::Func},
        {"Q6FUNC", &I::Func},
        {"Q2FUNC", &I::Func},
        {"Q8CMD", &I::Cmd},
        {"Q7CMD", &I::Cmd},
        {"Q6CMD", &I::Cmd},
        {"Q2CMD", &I::Cmd},
        {"LINKTIME", &I::LinkTime},
        {"ZORRESET", &I::ZorReset},
        {"ZORCONNECTCPU", &I::ZorConnectCpu},
        {"ZORLOADVANTOR", &I::ZorLoadVantor},
        {"ZORINST", &I::ZorInst},
        {"ZORPROC", &I::ZorProc},
        {"ZORFUNC", &I::ZorFunc},
        {"ZORPAR", &I::ZorPar},
        {"ZORLOADMDD", &I::ZorLoadMdd},
        {"ZORFLASHFILE", &I::ZorFlashFile},
        {"PELIXCONNECTCHANNELS", &I::PelixConnectChannels},
    };
    for (const InsKeyword& k : kKeywords)
      if (std::strncmp(text, k.word, std::strlen(k.word)) == 0) return &k;
    return nullptr;
  }
};

WORD InsInterpreter::RunFile(LPCTSTR path) {
  errorCode = 0;
  g_driverErrorRequest = 0;
  std::vector<CString> lines;
  if (!ReadLines(path, &lines)) {
    if (flags & kInsErrorBoxes) Box(ins::kFileNotOpened, MB_ICONSTOP);
    return kInsFileNotOpened;
  }
  const bool execute = (flags & kInsExecute) != 0;
  CString help, answer, result;
  for (const CString& line : lines) {
    int16_t r = ParseLine(line, execute, help, answer, result);
    if (r == kLineWarning) {
      if (flags & kInsWarningBoxes)
        Box(CString("Warning") + ins::kRule + line + "\r\n" + result, MB_ICONSTOP);
    } else if (r != kLineAccepted) {
      // A failed line always leaves a failure code.
      if (errorCode == 0) errorCode = kInsSyntaxError;
      CString head = execute ? "Error at installation" : "Error at syntax check";
      if (flags & kInsErrorBoxes) Box(head + ins::kRule + line + "\r\n" + result, MB_ICONSTOP);
      return errorCode;
    }
  }
  if (flags & kInsFinishedBox) Box(ins::kFinished, MB_ICONINFORMATION);
  return errorCode;
}

int16_t InsInterpreter::ParseLine(LPCTSTR line, BOOL execute, CString& help, CString& answer,
                                  CString& result) {
  return Parse(line, execute != FALSE, false, help, answer, result);
}

int16_t InsInterpreter::ParseCmd(LPCTSTR line, BOOL execute, CString& help, CString& answer,
                                 CString& result) {
  return Parse(line, execute != FALSE, true, help, answer, result);
}

int16_t InsInterpreter::Parse(LPCTSTR line, bool execute, bool cmdOnly, CString& help, CString& answer,
                              CString& result) {
  Reply reply;
  int16_t r = Dispatch(line, execute, reply, cmdOnly);
  help = reply.help;
  answer = reply.answer;
  result = reply.result;
  return r;
}

int16_t InsInterpreter::Dispatch(LPCTSTR text, bool execute, Reply& reply, bool cmdOnly) {
  Line line;
  Split(text, &line);
  Handler handler = &InsInterpreter::Cmd;
  if (!cmdOnly) {
    if (line.text.IsEmpty()) {
      reply.help = ins::kCommandOverview;
      return kLineAccepted;
    }
    if (line.text[0] == '\'' || line.text[0] == ';') {
      reply.help = ins::kCommentHelp;
      return kLineAccepted;
    }
    const InsKeyword* keyword = InsKeyword::Find(line.text);
    if (!keyword) {
      reply.result = ins::kNoKeyword;
      reply.help = ins::kCommandOverview;
      return SyntaxError();
    }
    handler = keyword->handler;
  }
  reply.result = ins::kParameterError;
  if (execute) g_driverErrorRequest = 0;
  DriverErrorHook hook(execute);
  return (this->*handler)(line, execute, reply);
}

void InsInterpreter::Split(LPCTSTR text, Line* line) {
  line->original = text ? text : "";
  line->original.TrimLeft();
  line->original.TrimRight();
  line->text = line->original;
  line->text.MakeUpper();
  SplitString(line->text, " \t", &line->tokens);
  SplitString(line->original, " \t", &line->originalTokens);
}

int16_t InsInterpreter::SyntaxError() {
  errorCode = kInsSyntaxError;
  return kLineError;
}

WORD InsInterpreter::DriverCode(WORD code) {
  switch (code) {
    case 0:
    case kInsFileNotOpened:
    case kInsSyntaxError:
    case kInsWrongBoard:
      return WORD(code | 0x8000);
    default:
      return code;
  }
}

WORD InsInterpreter::ExitCpu() {
  if (cpuConnection == 0) return 0;
  WORD r = zor_exit_cpu(&cpuConnection);
  cpuConnection = 0;
  return r;
}

bool InsInterpreter::IsOfChars(const CString& text, int limit, LPCTSTR allowed) {
  if (text.GetLength() > limit) return false;
  for (int i = 0; i < text.GetLength(); ++i)
    if (!std::strchr(allowed, text[i]) || text[i] == '\0') return false;
  return true;
}

int16_t InsInterpreter::LinkTime(const Line&, bool, Reply&) { return kLineAccepted; }
