#include <iterator>

#include "framework/sec_res.h"
#include "platform/ui/ui.h"

namespace {
// The built-in texts of the framework's string ids.
const struct {
  UINT id;
  const char* text;
} kStrings[] = {
    {IDS_SEC_PREVENT_DOCKING, "Press the Ctrl key to prevent docking."},
    {IDS_SEC_GRIPPER_CLOSE, "Hide docked window"},
    {IDS_SEC_GRIPPER_EXPAND, "Expand docked window"},
    {IDS_SEC_GRIPPER_CONTRACT, "Contract docked window"},
    {IDS_SEC_TOOLBAR_RESET, "&Reset"},
    {IDS_SEC_TOOLBAR_DELETE, "&Delete"},
    {IDS_SEC_MENUBAR_TITLE, "Menu bar"},
    {IDS_SEC_TOOLBAR_TITLE_N, "ToolBar%d"},
    {ID_SEC_ALLOWDOCKING, "Allow Docking"},
    {ID_SEC_HIDE, "Hide"},
    {ID_SEC_MDIFLOAT, "Float In Main Window"},
};
}  // namespace

CString SECLoadString(UINT nID) {
  CString text;
  if (text.LoadString(nID) && !text.IsEmpty()) return text;
  for (const auto& s : kStrings)
    if (s.id == nID) return s.text;
  return text;
}
