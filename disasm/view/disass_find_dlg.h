// The disassembly editor's find and replace dialog: the editor's dialog
// (OEFindDlg) over the disassembly's templates, 24500 find and 24501
// replace (in editor/view/res/editview.rc), whose match-case, direction
// and hidden edit controls have their own ids.
#pragma once

#include "editor/view/oefinddlg.h"

// Controls of the disassembly's templates that differ from the editor's.
enum DisassFindControl {
  IDC_DISASS_FIND_WHOLE_WORD = 116,
  IDC_DISASS_FIND_MATCH_CASE = 117,
  IDC_DISASS_FIND_UP = 118,
  IDC_DISASS_FIND_DOWN = 119,
  IDC_DISASS_FIND_DIRECTION = 120,
  IDC_DISASS_FIND_HIDDEN_TEXT = 121,
  IDC_DISASS_FIND_HIDDEN_REPLACE = 122,
};
enum : unsigned { IDD_DISASS_FIND = 24500, IDD_DISASS_REPLACE = 24501 };

constexpr FindDialogLayout kDisassFindLayout = {IDD_DISASS_FIND, IDD_DISASS_REPLACE,
                                                IDC_DISASS_FIND_MATCH_CASE, IDC_DISASS_FIND_UP,
                                                IDC_DISASS_FIND_HIDDEN_TEXT};

class DisassOEFindDlg : public OEFindDlg {
  DECLARE_DYNAMIC(DisassOEFindDlg)
 public:
  DisassOEFindDlg() : OEFindDlg(kDisassFindLayout) {}
};
