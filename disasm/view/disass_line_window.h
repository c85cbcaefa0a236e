// The lines of the disassembly as one view holds them for the editor core:
// a read-only edit buffer whose list is a stretch of the line source's
// lines, made when the core first steps onto them. The stretch grows line
// by line at either end; a line farther away than kReach starts a new
// stretch (Restart), since the lines between would have to be decoded one
// by one. Every line keeps its real number; the count is the line source's.
#pragma once

#include <deque>

#include "disasm/mem_addr_list.h"
#include "editor/editbuffer.h"

class DisassEdit;

// Line flag of a source line (painted in the text colour, instruction
// lines in the disassembly colour).
constexpr UINT LINE_SOURCE_TEXT = 64;
static_assert(LINE_SOURCE_TEXT < (1u << kLineFlagBits), "a line flag");

class DisassLineWindow : public EditBuffer {
 public:
  // Lines made beyond an end of the stretch to reach a line.
  static constexpr int kReach = 4096;
  // The line count while there is no line source (no debug session).
  static constexpr int kEmptyLineCount = 50;

  DisassLineWindow();
  ~DisassLineWindow() override;

  // The text model's settings: tabs, line end, font and colours.
  void TakeSettings(const DisassEdit& model);
  // The line source's count, or kEmptyLineCount without one.
  int Count() const;
  int First() const { return m_first; }
  int Last() const { return m_first + static_cast<int>(m_lines.size()) - 1; }
  bool Holds(int n) const { return !m_lines.empty() && n >= First() && n <= Last(); }
  // Line n, made (with those between) when it lies within kReach of the
  // stretch; null when it lies farther away or outside 1..Count().
  EditLine* Line(int n);
  // Drops the stretch for one that holds line n alone. The old lines stay
  // allocated until Release, so pointers a caller still holds stay safe.
  EditLine* Restart(int n);
  // Frees the lines of earlier stretches.
  void Release();
  // Frees the held lines outside first..last (the stretch keeps at least
  // one line).
  void TrimTo(int first, int last);
  int Size() const { return static_cast<int>(m_lines.size()); }
  // Reads a held line's flags again from the line source (a breakpoint
  // came or went).
  void RefreshFlags(EditLine* line);
  // The held lines came from another line source than the current one (a
  // session began or ended since).
  bool IsStale() const { return !m_lines.empty() && m_source != SourceSerial(); }

  // Lines made so far, in all stretches (for tests).
  long made = 0;

  // Called for every line made (the view sets its bookmark flag).
  void (*onMade)(void* context, EditLine* line) = nullptr;
  void* onMadeContext = nullptr;

 private:
  EditLine* Make(int n);
  void Relink();

  std::deque<EditLine*> m_lines;
  int m_first = 1;
  static unsigned SourceSerial() { return g_pMemAddrList != nullptr ? g_pMemAddrList->Serial() : 0; }
  unsigned m_source = 0;  // the serial of the line source the held lines came from
  std::deque<EditLine*> m_retired;
};
