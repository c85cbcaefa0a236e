#include "a_qjx/task_dialog.h"

#include <cstdio>
#include <cstring>

#include "platform/afx/afxres.h"
#include "platform/ui/resources.h"
#include "ytn1/prompt.h"
#include "ytn1/ytn1.h"

namespace {

constexpr UINT kTaskTemplate = 131, kChangeTaskParameterTemplate = 171;
constexpr int kTaskCount = 1080, kTaskTree = 1088, kTaskLines = 1148, kTaskUpdate = 1106, kTaskValue = 1149;
constexpr int kTaskValueDigits = 2;
constexpr WORD kTaskLast = 1023;
constexpr int kTaskLineStorage = 3000, kTaskLineBytes = 65000;
constexpr int kTaskTabStops[2] = {120, 200};

// Item data of the tree: the root is 0, the other items are their task
// number plus the base of their kind.
enum TaskItemBase : DWORD_PTR {
  kTaskItemTask = 1000,
  kTaskItemPdt = 3000,
  kTaskItemTdt = 5000,
  kTaskItemParameter = 7000,
  kTaskItemData = 9000,
};
constexpr DWORD_PTR kTaskItemSpan = 1025;

// Images of the tree: 0 root, 1 to 4 the task types TI, NI, II, DI,
// 5 PDT, 6 TDT, 7 parameter area, 8 data area; from the icon resources
// below, in image order. The list holds 20 images, the others show 133.
constexpr int kTaskImageCount = 20, kTaskImageGrow = 20, kTaskImageSize = 16;
constexpr WORD kTaskDefaultIcon = 133;
constexpr WORD kTaskImageIcons[9] = {136, 141, 133, 134, 135, 137, 138, 140, 139};
constexpr int kTaskImageRoot = 0, kTaskImagePdt = 5, kTaskImageTdt = 6, kTaskImageParameter = 7,
              kTaskImageData = 8, kTaskImageUntyped = 2;

struct TaskTypeImage {
  const char* type;
  int image;
};
constexpr TaskTypeImage kTaskTypeImages[] = {{"TI", 1}, {"NI", 2}, {"II", 3}, {"DI", 4}};

// The children of a task item, in order.
struct TaskChild {
  const char* text;
  int image;
  TaskItemBase base;
};
constexpr TaskChild kTaskChildren[] = {{"PDT", kTaskImagePdt, kTaskItemPdt},
                                       {"TDT", kTaskImageTdt, kTaskItemTdt},
                                       {"Parameter", kTaskImageParameter, kTaskItemParameter},
                                       {"Data", kTaskImageData, kTaskItemData}};

// The image of a task type; `previous` for an empty or unknown type.
int TaskTypeImageOf(const CString& type, int previous) {
  for (const TaskTypeImage& entry : kTaskTypeImages)
    if (std::strcmp(type, entry.type) == 0) return entry.image;
  return previous;
}

bool InTaskItemRange(DWORD_PTR data, TaskItemBase base) {
  return data >= base && data < base + kTaskItemSpan;
}

HTREEITEM InsertTaskItem(CTreeCtrl& tree, const char* text, int image, DWORD_PTR data, HTREEITEM parent) {
  HTREEITEM item = tree.InsertItem(text, image, image, parent, TVI_LAST);
  tree.SetItemData(item, data);
  return item;
}

}  // namespace

BEGIN_MESSAGE_MAP(CTaskDialog, CModelessToolDialog)
ON_CONTROL(BN_CLICKED, kTaskUpdate, OnUpdate)
ON_NOTIFY(TVN_SELCHANGED, kTaskTree, OnTreeSelection)
ON_NOTIFY(NM_DBLCLK, kTaskTree, OnTreeSelection)
ON_NOTIFY(NM_CLICK, kTaskTree, OnTreeClick)
ON_CONTROL(LBN_DBLCLK, kTaskLines, OnLineDoubleClick)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CTaskDialog::CTaskDialog(CBoardFamily& family)
    : CModelessToolDialog(kTaskTemplate, ToolWindow::Task, family) {}

void CTaskDialog::DoDataExchange(CDataExchange* dx) {
  CModelessToolDialog::DoDataExchange(dx);
  DDX_Control(dx, kTaskLines, lines_);
  DDX_Control(dx, kTaskTree, tree_);
}

BOOL CTaskDialog::OnInitDialog() {
  CModelessToolDialog::OnInitDialog();
  lines_.SendMessage(LB_INITSTORAGE, kTaskLineStorage, kTaskLineBytes);
  int stops[2] = {kTaskTabStops[0], kTaskTabStops[1]};
  lines_.SetTabStops(2, stops);
  BuildImages();
  tree_.SetImageList(&images_, TVSIL_NORMAL);
  FillTree();
  return TRUE;
}

void CTaskDialog::BuildImages() {
  const HINSTANCE module = mirt_ui::ModuleHandleOf(reinterpret_cast<const void*>(&TaskTypeImageOf));
  images_.Create(kTaskImageSize, kTaskImageSize, ILC_COLOR32 | ILC_MASK, 0, kTaskImageGrow);
  for (int i = 0; i < kTaskImageCount; ++i) images_.Add(LoadIcon(module, MAKEINTRESOURCE(kTaskDefaultIcon)));
  for (int i = 0; i < int(std::size(kTaskImageIcons)); ++i)
    images_.Replace(i, LoadIcon(module, MAKEINTRESOURCE(kTaskImageIcons[i])));
}

void CTaskDialog::FillTree() {
  family_.ReadProgramTable();
  CString count;
  count.Format("%hu", family_.programCount);
  SetDlgItemText(kTaskCount, count);
  HTREEITEM root = InsertTaskItem(tree_, "Tasks", kTaskImageRoot, 0, TVI_ROOT);
  int image = kTaskImageUntyped;
  for (WORD task = GetUserMode() != 0 ? 0 : 1; task <= kTaskLast; ++task) {
    if (family_.programTable[task].programNumber == 0 && task != 0) continue;
    image = TaskTypeImageOf(family_.programTable[task].taskType, image);
    CString text;
    text.Format("Task %hu (%hX hex)", task, task);
    HTREEITEM item = InsertTaskItem(tree_, text, image, kTaskItemTask + task, root);
    for (const TaskChild& child : kTaskChildren)
      InsertTaskItem(tree_, child.text, child.image, child.base + task, item);
  }
  tree_.Expand(root, TVE_EXPAND);
}

DWORD_PTR CTaskDialog::SelectedItemData() const {
  HTREEITEM item = tree_.GetSelectedItem();
  return item ? tree_.GetItemData(item) : 0;
}

void CTaskDialog::ShowLines() {
  lines_.SetRedraw(FALSE);
  lines_.ResetContent();
  family_.infoLines.RemoveAll();
  const DWORD_PTR data = SelectedItemData();
  if (InTaskItemRange(data, kTaskItemTask))
    family_.DescribeTask(WORD(data - kTaskItemTask));
  else if (InTaskItemRange(data, kTaskItemPdt))
    family_.DescribeProgram(WORD(data - kTaskItemPdt));
  else if (InTaskItemRange(data, kTaskItemTdt))
    family_.DescribeTaskDescriptor(WORD(data - kTaskItemTdt));
  else if (InTaskItemRange(data, kTaskItemParameter))
    family_.GetParameterAreaText(WORD(data - kTaskItemParameter));
  else if (InTaskItemRange(data, kTaskItemData))
    family_.GetDataAreaText(WORD(data - kTaskItemData));
  for (INT_PTR i = 0; i < family_.infoLines.GetSize(); ++i) {
    const int at = lines_.AddString(family_.infoLines[i].text);
    lines_.SetItemData(at, DWORD_PTR(family_.infoLines[i].index));
  }
  lines_.SetRedraw(TRUE);
  lines_.Invalidate();
}

void CTaskDialog::OnUpdate() {
  tree_.DeleteAllItems();
  FillTree();
}

void CTaskDialog::OnTreeSelection(NMHDR*, LRESULT* result) {
  ShowLines();
  *result = 0;
}

void CTaskDialog::OnTreeClick(NMHDR*, LRESULT* result) { *result = 0; }

// Only lines of a parameter or data area carry a byte index.
void CTaskDialog::OnLineDoubleClick() {
  const DWORD_PTR data = SelectedItemData();
  WORD task;
  if (InTaskItemRange(data, kTaskItemData))
    task = WORD(data - kTaskItemData);
  else if (InTaskItemRange(data, kTaskItemParameter))
    task = WORD(data - kTaskItemParameter);
  else
    return;
  const int at = lines_.GetCurSel();
  if (at < 0 || at >= family_.infoLines.GetSize()) return;
  const BoardInfoLine line = family_.infoLines[at];
  if (line.index == -1) return;
  CChangeTaskParameterDialog change(WORD(line.value), this);
  if (change.DoModal() != IDOK) return;
  if (line.kind == kInfoParameter)
    family_.WriteParameterByte(task, WORD(line.index), BYTE(change.value()));
  else if (line.kind == kInfoData)
    family_.WriteDataByte(task, WORD(line.index), BYTE(change.value()));
  ShowLines();
}

void CTaskDialog::OnHelp() { ShowHelpFile("ytn32.chm", "ytn32_help_task.htm", 0); }

BEGIN_MESSAGE_MAP(CChangeTaskParameterDialog, CDialog)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CChangeTaskParameterDialog::CChangeTaskParameterDialog(WORD value, CWnd* parent)
    : CDialog(kChangeTaskParameterTemplate, parent), value_(value) {}

BOOL CChangeTaskParameterDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SendDlgItemMessage(kTaskValue, EM_LIMITTEXT, kTaskValueDigits, 0);
  CString text;
  text.Format("%lx", static_cast<unsigned long>(value_));
  SetDlgItemText(kTaskValue, text);
  return TRUE;
}

void CChangeTaskParameterDialog::OnOK() {
  CString text;
  GetDlgItemText(kTaskValue, text);
  unsigned short value = 0;
  if (std::sscanf(text, "%hx", &value) != 1) {
    ytn1::ShowMessage("Error! Wrong input.", nullptr, MB_OK | MB_ICONSTOP);
    return;
  }
  value_ = value;
  EndDialog(IDOK);
}

void CChangeTaskParameterDialog::OnHelp() { ShowHelpFile("ytn32.chm", "ytn32_help_task.htm", 0); }
