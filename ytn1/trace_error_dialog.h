// The TRACE ERROR window: a modeless window without owner listing the
// trace lines of TraceError. OK, "Abbrechen" and the close box destroy it;
// it deletes itself, and the next line in user mode opens a fresh one.
#pragma once
#include <string>

#include "platform/ui/afxdlg.h"
#include "ytn1/trace_list.h"

namespace ytn1 {

enum : int { kTraceLines = 1003 };

class CTraceErrorDialog : public CDialog, public TraceWatcher {
 public:
  CTraceErrorDialog();
  // Creates the window; it becomes the trace's window.
  static void Open();
  BOOL OnInitDialog() override;
  void OnTraceLine(const std::string& line) override;

 protected:
  void PostNcDestroy() override;
  void OnOK() override;
  void OnCancel() override;
  void OnClose();
  DECLARE_MESSAGE_MAP()
};

}  // namespace ytn1
