// The program table and the task, program, descriptor and area
// descriptions of the task tool.
#include <vector>

#include "a_qjx/board_family.h"
#include "drivers/rizo32/rizo32.h"
#include "ytn1/ytn1.h"

namespace {

DWORD Info(WORD task, WORD offset) {
  uint32_t v = 0;
  qj8_get_task_info(task, offset, &v);
  return v;
}

BYTE Byte(DWORD v, int k) { return BYTE(v >> (8 * k)); }

const char* TaskTypeText(DWORD info) {
  switch (info & 7) {
    case 1:
      return "II";
    case 2:
      return "DI";
    case 3:
      return "TI";
    default:
      return "NI";
  }
}

constexpr DWORD kAreaLimit = 10000, kDeskDataLimit = 3000;

}  // namespace

void CBoardFamily::AddInfo(const CString& text, int kind, int index, int value) {
  infoLines.Add(BoardInfoLine{text, kind, index, value});
}

void CBoardFamily::ReadProgramTable() {
  programCount = 0;
  for (WORD t = GetUserMode() ? 0 : 1; t < 1024; ++t) {
    WORD program = qj8_get_pgm_installed(t);
    if (program != 0 || t == 0) {
      ++programCount;
      DWORD info = Info(t, 260);
      if (!(info & 4)) programTable[t].taskType = TaskTypeText(info);
    }
    programTable[t].programNumber = program;
  }
}

CString CBoardFamily::DescribeTask(WORD task) {
  infoLines.RemoveAll();
  CString s;
  s.Format("Number of task: \t%hd", (short)task);
  AddInfo(s, kInfoTask);
  DWORD info = Info(task, 260);
  AddInfo(CString("Type of task: \t") + ((info & 4) ? "" : TaskTypeText(info)), kInfoTask);
  s.Format("Number of program: \t%hx hex", (unsigned short)qj8_get_pgm_installed(task));
  AddInfo(s, kInfoTask);
  return "";
}

CString CBoardFamily::DescribeProgram(WORD task) {
  infoLines.RemoveAll();
  CString s;
  auto add = [&](const CString& text) { AddInfo(text, kInfoTask); };
  DWORD d0 = Info(task, 0), d4 = Info(task, 4), d8 = Info(task, 8), d12 = Info(task, 12);
  WORD head = Byte(d0, 1), n = WORD(d0 >> 16);
  add("PDT");
  s.Format("Type of PDT: \t%lu", (unsigned long)Byte(d0, 0));
  add(s);
  s.Format("Size of PDT head: \t%hu bytes", (unsigned short)head);
  add(s);
  s.Format("Number of procedures: \t%hu", (unsigned short)n);
  add(s);
  s.Format("Number of program: \t%hx hex", (unsigned short)(d4 & 0xFFFF));
  add(s);
  s.Format("Version of program: \t%lu", (unsigned long)(DWORD(Byte(d4, 2)) - 48));
  add(s);
  s.Format("Revision of program: \t%hc", (char)Byte(d4, 3));
  add(s);
  static const char* const kCpu[] = {"8086/8088", "80186/V20", "80286", "80486 SX", "80486 DX", "80586"};
  static const char* const kCopro[] = {"No", "8087", "80287", "80487 SX", "80487 DX", "80587"};
  static const char* const kLanguage[] = {"",
                                          "Assembler",
                                          "Turbo-Pascal 5.0",
                                          "Turbo-Pascal 5.5",
                                          "Turbo-Pascal 6.0",
                                          "Borland C 3.0",
                                          "Borland C 3.1",
                                          "Turbo-Pascal 7.0",
                                          "Borland C 4.0/4.5"};
  static const char* const kProgType[] = {"System",    "User",         "Soft-Interrupt",
                                          "Interrupt", "Task-Manager", "Errorhandler"};
  add(CString("Type of processor: \t") + (Byte(d8, 0) < 6 ? kCpu[Byte(d8, 0)] : "Unknown"));
  add(CString("Type of co. processor: \t") + (Byte(d8, 1) < 6 ? kCopro[Byte(d8, 1)] : "Unknown"));
  BYTE lang = Byte(d8, 2);
  add(lang >= 1 && lang <= 8 ? CString("Programming language: \t") + kLanguage[lang]
                             : CString("Programming language:: \tUnknown"));
  add(CString("Type of program: \t") + (d8 > 0x5FFFFFF ? "Unknown" : kProgType[Byte(d8, 3)]));
  s.Format("Flags: \t%lx hex", (unsigned long)(d12 & 0xFFFF));
  add(s);
  s.Format("Interrupt: \t%lx hex", (unsigned long)(d12 >> 16));
  add(s);
  s.Format("Address of data area: \t%lx hex", (unsigned long)Info(task, 16));
  add(s);
  s.Format("Minimum size of data area: \t%lu bytes", (unsigned long)Info(task, 24));
  add(s);
  s.Format("Maximum size of data area: \t%lu bytes", (unsigned long)Info(task, 28));
  add(s);
  s.Format("Size of parameter area: \t%lu bytes", (unsigned long)(Info(task, 36) & 0xFFFF));
  add(s);
  s.Format("Address of hypertext area: \t%lx hex", (unsigned long)Info(task, 38));
  add(s);
  for (WORD p = 0; p < n; ++p) {
    DWORD a = Info(task, WORD(head + 4 * p));
    DWORD linear = ulBITxy(a, 16, 31) * 16 + ulBITxy(a, 0, 15);
    if (p == 0)
      s.Format("Address of procedure 0 (main): \t%lx hex", (unsigned long)linear);
    else if (p == 1)
      s.Format("Address of procedure 1 (auto init): \t%lx hex", (unsigned long)linear);
    else
      s.Format("Address of procedure %hu (user): \t%lx hex", (unsigned short)p, (unsigned long)linear);
    add(s);
  }
  return "";
}

CString CBoardFamily::DescribeTaskDescriptor(WORD task) {
  infoLines.RemoveAll();
  CString s;
  auto add = [&](const CString& text) { AddInfo(text, kInfoTask); };
  DWORD t = Info(task, 256), f = Info(task, 260), p = Info(task, 264);
  add("TDT");
  s.Format("Type of TDT: \t%lu", (unsigned long)Byte(t, 0));
  add(s);
  s.Format("Length of TDT: \t%lu bytes", (unsigned long)Byte(t, 1));
  add(s);
  s.Format("Number of task: \t%lu", (unsigned long)(t >> 16));
  add(s);
  s.Format("Flags: \t%lx hex", (unsigned long)(f & 0xFFFF));
  add(s);
  if (f & 7)
    s.Format("Number of interrupt: \t%lx hex", (unsigned long)(f >> 16));
  else
    s.Format("Number of activations: \t%lu", (unsigned long)(f >> 16));
  add(s);
  s.Format("Number of parameter: \t%lu bytes", (unsigned long)(p & 0xFFFF));
  add(s);
  s.Format("Number of procedures: \t%lu", (unsigned long)(p >> 16));
  add(s);
  const struct {
    WORD offset;
    const char* format;
  } rest[] = {{268, "Address of PDT: \t%lx hex"},
              {272, "Address of hypertext: \t%lx hex"},
              {276, "Start address of data area: \t%lx hex"},
              {280, "End address of data area: \t%lx hex"},
              {284, "Data read pointer: \t%lx hex"},
              {288, "Data write pointer: \t%lx hex"}};
  for (auto& r : rest) {
    s.Format(r.format, (unsigned long)Info(task, r.offset));
    add(s);
  }
  return "";
}

void CBoardFamily::ListAreaBytes(const BYTE* bytes, DWORD size, int kind) {
  CString s;
  for (DWORD i = 0; i < size; ++i) {
    s.Format("%hu\t%.2hx", (unsigned short)i, (unsigned short)bytes[i]);
    AddInfo(s, kind, int(i), bytes[i]);
  }
}

CString CBoardFamily::GetParameterAreaText(WORD task) {
  infoLines.RemoveAll();
  CString s;
  AddInfo("Parameter", kInfoParameter);
  DWORD start = Info(task, 512) + Byte(Info(task, 256), 1);
  s.Format("Start address of parameter area: \t%lx hex", (unsigned long)start);
  AddInfo(s, kInfoParameter);
  DWORD size = Info(task, 264) & 0xFFFF;
  s.Format("Number of parameter: \t%lu bytes", (unsigned long)size);
  AddInfo(s, kInfoParameter);
  AddInfo("Parameter:\tValue (hex):", kInfoParameter);
  if (size > kAreaLimit) {
    AddInfo("Too many parameters", kInfoParameter);
  } else if (size > 0) {
    std::vector<BYTE> buffer(size);
    qj8_read_par_block(task, 0, WORD(size), buffer.data());
    ListAreaBytes(buffer.data(), size, kInfoParameter);
  }
  return "";
}

CString CBoardFamily::AreaHeader(WORD task, int kind) {
  infoLines.RemoveAll();
  CString s;
  AddInfo("Data", kind);
  DWORD start = Info(task, 276), end = Info(task, 280);
  s.Format("Start address of data area: \t%lx hex", (unsigned long)start);
  AddInfo(s, kind);
  s.Format("End address of data area: \t%lx hex", (unsigned long)end);
  AddInfo(s, kind);
  s.Format("Number of data: \t%lu bytes", (unsigned long)(end - start));
  AddInfo(s, kind);
  AddInfo("Data:\tValue (hex):", kind);
  return "";
}

CString CBoardFamily::GetDataAreaText(WORD task) {
  AreaHeader(task, kInfoData);
  DWORD size = Info(task, 280) - Info(task, 276);
  if (size > kAreaLimit) {
    AddInfo("Too many parameters", kInfoData);
  } else if (size > 0) {
    std::vector<BYTE> buffer(size);
    qj8_read_data(task, 0, WORD(size), buffer.data());
    ListAreaBytes(buffer.data(), size, kInfoData);
  }
  return "";
}

CString CBoardFamily::GetDataAreaTextA(WORD task) {
  AreaHeader(task, kInfoData);
  DWORD size = Info(task, 280) - Info(task, 276);
  if (size > kDeskDataLimit) {
    AddInfo("Too many parameters", kInfoData);
  } else if (size > 0) {
    std::vector<BYTE> buffer(size);
    qj8_reset_r_pointer(task);
    qj8_read_data_block(task, WORD(size), buffer.data());
    ListAreaBytes(buffer.data(), size, kInfoData);
  }
  return "";
}

int16_t SplitString(CString text, LPCTSTR separators, CStringArray* out) {
  out->RemoveAll();
  for (;;) {
    text.TrimLeft();
    text.TrimRight();
    int at = text.FindOneOf(separators);
    if (at < 0) break;
    out->Add(text.Left(at));
    text = text.Mid(at);
    // A separator that trimming keeps is passed over.
    if (at == 0) text = text.Mid(1);
  }
  out->Add(text);
  return int16_t(out->GetSize());
}
