// The memory tool: a modeless dump of the board's RAM, 20 rows of 8 bytes,
// with paging, goto, address conversion, the row editor and the dump file.
// It is open once; its window's end clears the tool's open flag.
#pragma once
#include "a_qjx/memory_view.h"
#include "a_qjx/modeless_tool_dialog.h"
#include "platform/ui/afxctrl.h"
#include "platform/ui/gdiobj.h"

// Tells the dialog about the page keys of its list.
class MemoryListWatcher {
 public:
  virtual void OnPageKey(MemoryMove move) = 0;

 protected:
  ~MemoryListWatcher() = default;
};

class CMemoryListBox : public CListBox {
 public:
  MemoryListWatcher* watcher = nullptr;

 protected:
  void OnKeyDown(UINT key, UINT repeat, UINT flags);
  DECLARE_MESSAGE_MAP()
};

class CMemoryDialog : public CModelessToolDialog, private MemoryListWatcher {
 public:
  explicit CMemoryDialog(CBoardFamily& family);

  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  // The sizes and the page.
  void Refresh();

 protected:
  void OnVScroll(UINT code, UINT position, CScrollBar* bar);
  void OnGoto();
  void OnSelChangeList();
  void OnDblClkList();
  void OnChangePhysical();
  void OnChangeSegmentOffset();
  void OnSave();
  void OnHelp();
  DECLARE_MESSAGE_MAP()

 private:
  void OnPageKey(MemoryMove move) override;
  void Move(MemoryMove move);
  void ShowPage();
  void UpdateScrollPos();
  MemoryView View() const;
  void WriteRow(DWORD address, const BYTE* bytes, int count);

  CMemoryListBox list_;
  CScrollBar scroll_;
  CFont font_;
  bool converting_ = false;
};
