#include "app/main_source_generator.h"

#include <cstdio>

#include "debugger/file_bytes.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/path.h"

namespace {

// The replacements of one board's template, tested in order on each line.
// Legend: marker = the text a line must contain; byTask[t] = the line that
// replaces it for task type t (0 "NI-Task", 1 "TI-Task", 2 "II-Task", 3 DI),
// nullptr = the line is kept; "%s" stands for the program number; every
// "\n" stands for the template line's own line end.
struct TemplateRule {
  const char* marker;
  const char* byTask[4];
};

constexpr TemplateRule kTemplateZorRules[] = {
    {"#define PROGRAMM_NUMBER",
     {"#define PROGRAMM_NUMBER %s\n",
      "#define PROGRAMM_NUMBER %s\n#define INTERRUPT_NUMBER ZOR1_IRQ_TIMERC\t//change to your needs\n",
      "#define PROGRAMM_NUMBER %s\n#define INTERRUPT_NUMBER ZOR1_IRQ_TIMERA\t//change to your needs\n",
      "#define PROGRAMM_NUMBER %s\n#define INTERRUPT_NUMBER ZOR1_IRQ_TIMERA\t//change to your needs\n"}},
    {"rcPDT.rcHead.usFlags",
     {nullptr, "\trcPDT.rcHead.usFlags = ZOR_TI_TASK + ZORPDT_PARAMETER_IN_PROG;\n",
      "\trcPDT.rcHead.usFlags = ZOR_II_TASK + ZORPDT_PARAMETER_IN_PROG;\n",
      "\trcPDT.rcHead.usFlags = ZOR_DI_TASK + ZORPDT_PARAMETER_IN_PROG;\n"}},
    {"rcPDT.rcHead.usInterrupt",
     {nullptr, "\trcPDT.rcHead.usInterrupt = INTERRUPT_NUMBER;\n",
      "\trcPDT.rcHead.usInterrupt = INTERRUPT_NUMBER;\n",
      "\trcPDT.rcHead.usInterrupt = INTERRUPT_NUMBER;\n"}},
};

constexpr TemplateRule kTemplateTesseraRules[] = {
    {"#define PROGRAMM_NUMBER",
     {"#define PROGRAMM_NUMBER %s\n",
      "#define PROGRAMM_NUMBER %s\n#define INTERRUPT_NUMBER IRQ_TIMER_C\t//change to your needs\n",
      "#define PROGRAMM_NUMBER %s\n#define INTERRUPT_NUMBER IRQ_TIMER_A\t//change to your needs\n",
      "#define PROGRAMM_NUMBER %s\n#define INTERRUPT_NUMBER IRQ_TIMER_A\t//change to your needs\n"}},
    {"pdt.pdt_head.usFlags",
     {nullptr,
      "\tpdt.pdt_head.usFlags = _TI_TASK + _PDT_INFO_ENABLE + _LOCAL_DATA + _LOCAL_PARAMETER + "
      "_FIXED_DATASIZE;\n",
      "\tpdt.pdt_head.usFlags = _II_TASK + _PDT_INFO_ENABLE + _LOCAL_DATA + _LOCAL_PARAMETER + "
      "_FIXED_DATASIZE;\n",
      "\tpdt.pdt_head.usFlags = _DI_TASK + _PDT_INFO_ENABLE +_LOCAL_PARAMETER;\n"}},
    {"pdt.pdt_head.usInt",
     {nullptr, "\tpdt.pdt_head.usInt = INTERRUPT_NUMBER;\n", "\tpdt.pdt_head.usInt = INTERRUPT_NUMBER;\n",
      "\tpdt.pdt_head.usInt = INTERRUPT_NUMBER;\n"}},
};

constexpr int kTemplateTaskTypes = 4;

// The replacement text with the number and the line end filled in.
std::string TemplateReplacement(const char* pattern, const std::string& number, const std::string& lineEnd) {
  std::string out;
  for (const char* p = pattern; *p; ++p) {
    if (p[0] == '%' && p[1] == 's') {
      out += number;
      ++p;
    } else if (*p == '\n') {
      // A line without an end of its own (the last one) ends here too:
      // inner line ends take LF, the last one takes nothing.
      out += lineEnd.empty() ? (p[1] ? "\n" : "") : lineEnd;
    } else {
      out += *p;
    }
  }
  return out;
}

void TemplateReplaceAll(std::string& line, const std::string& from, const std::string& to) {
  for (size_t at = line.find(from); at != std::string::npos; at = line.find(from, at + to.size()))
    line.replace(at, from.size(), to);
}

}  // namespace

std::string FillTemplateLine(std::string line, const std::string& lineEnd, MainSourceTemplate board,
                             int taskType, const std::string& programNumber, bool miniBoard) {
  const TemplateRule* begin = nullptr;
  const TemplateRule* end = nullptr;
  if (board == MainSourceTemplate::kZor) {
    begin = std::begin(kTemplateZorRules);
    end = std::end(kTemplateZorRules);
  } else if (board == MainSourceTemplate::kTessera) {
    begin = std::begin(kTemplateTesseraRules);
    end = std::end(kTemplateTesseraRules);
    if (miniBoard) TemplateReplaceAll(line, "qj8", "qj7");
  }
  if (taskType < 0 || taskType >= kTemplateTaskTypes) taskType = 0;
  std::string out = line + lineEnd;
  for (const TemplateRule* rule = begin; rule != end; ++rule) {
    const char* replacement = rule->byTask[taskType];
    if (replacement && out.find(rule->marker) != std::string::npos)
      out = TemplateReplacement(replacement, programNumber, lineEnd);
  }
  return out;
}

std::string FillTemplateText(const std::string& text, MainSourceTemplate board, int taskType,
                             const std::string& programNumber, bool miniBoard) {
  std::string out;
  size_t start = 0;
  while (start < text.size()) {
    size_t lf = text.find('\n', start);
    size_t stop = lf == std::string::npos ? text.size() : lf;
    std::string line = text.substr(start, stop - start);
    std::string lineEnd;
    if (lf != std::string::npos) {
      lineEnd = "\n";
      if (!line.empty() && line.back() == '\r') {
        line.pop_back();
        lineEnd = "\r\n";
      }
    }
    if (lf == std::string::npos) {
      // The last line without an end: lines a replacement adds take the
      // file's line end, the last one none.
      std::string fileEnd = text.find("\r\n") != std::string::npos ? "\r\n" : "\n";
      std::string filled = FillTemplateLine(line, fileEnd, board, taskType, programNumber, miniBoard);
      out += filled.substr(0, filled.size() - fileEnd.size());
      break;
    }
    out += FillTemplateLine(line, lineEnd, board, taskType, programNumber, miniBoard);
    start = lf + 1;
  }
  return out;
}

MainSourceResult GenerateMainSource(const std::string& templatePath, const std::string& mainSource,
                                    MainSourceTemplate board, int taskType, const std::string& programNumber,
                                    bool miniBoard) {
  std::string text;
  if (!ReadFileBytes(templatePath.c_str(), text)) {
    std::string message = "Could not read template file:\n" + templatePath;
    AfxMessageBox(message.c_str(), MB_OK | MB_ICONSTOP);
    return MainSourceResult::kNoTemplate;
  }
  std::string filled = FillTemplateText(text, board, taskType, programNumber, miniBoard);
  FILE* f = std::fopen(plat::NormalizeSeparators(mainSource).c_str(), "wb");
  bool written = f && std::fwrite(filled.data(), 1, filled.size(), f) == filled.size();
  if (f && std::fclose(f) != 0) written = false;
  if (!written) {
    std::string message = "Could not create file:\n" + mainSource;
    AfxMessageBox(message.c_str(), MB_OK);
    return MainSourceResult::kNotCreated;
  }
  return MainSourceResult::kWritten;
}
