#include "plugins/common/option_page.h"

#include "platform/ui/afxctrl.h"
#include "plugins/common/number_combo_box.h"

BEGIN_MESSAGE_MAP(COptionPage, CPropertyPage)
ON_WM_DESTROY()
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

const OptionPageTable& EmptyOptionPage() {
  static const OptionPageTable empty = {"", {}, {}, {}};
  return empty;
}

COptionPage::COptionPage(const PageEntry& entry)
    : CPropertyPage(static_cast<UINT>(entry.templateId)),
      m_entry(entry),
      m_values(InitialOptionValues(*entry.table)) {}

void COptionPage::ParseOptions(const char* options) { ParseOptionPage(*m_entry.table, options, m_values); }

CString COptionPage::BuildOptions() { return BuildOptionPage(*m_entry.table, m_values, GetSafeHwnd()); }

bool COptionPage::OwnsSwitch(const CString& word) const { return IsPageSwitch(*m_entry.table, word); }

void COptionPage::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  const auto& members = m_entry.table->members;
  for (size_t i = 0; i < members.size(); ++i) {
    switch (members[i].kind) {
      case MemberKind::kCheck:
        DDX_Check(pDX, members[i].control, m_values.num[i]);
        break;
      case MemberKind::kRadio:
        DDX_Radio(pDX, members[i].control, m_values.num[i]);
        break;
      case MemberKind::kEdit:
        DDX_Text(pDX, members[i].control, m_values.text[i]);
        break;
      case MemberKind::kCombo:
      case MemberKind::kNumberCombo:
        DDX_CBString(pDX, members[i].control, m_values.text[i]);
        break;
    }
  }
}

BOOL COptionPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  const auto& members = m_entry.table->members;
  for (size_t i = 0; i < members.size(); ++i) {
    if (members[i].kind == MemberKind::kNumberCombo) SubclassNumberComboBox(GetDlgItem(members[i].control));
    if (members[i].kind == MemberKind::kCombo || members[i].kind == MemberKind::kNumberCombo)
      FillCombo(members[i], m_values.text[i]);
  }
  return TRUE;
}

// The default goes into the list (unless the template gives the list);
// an empty text chooses it, another text is added and chosen.
void COptionPage::FillCombo(const OptionMember& member, const CString& text) {
  const int id = member.control;
  if (!GetDlgItem(id)) return;
  auto add = [&](LPCSTR t) { return SendDlgItemMessage(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t)); };
  if (member.comboDefault) add(member.comboDefault);
  if (text.IsEmpty()) {
    LRESULT sel = 0;
    if (member.comboDefault)
      sel = SendDlgItemMessage(id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(member.comboDefault));
    SendDlgItemMessage(id, CB_SETCURSEL, static_cast<WPARAM>(sel));
    return;
  }
  SendDlgItemMessage(id, CB_SETCURSEL, static_cast<WPARAM>(add(text)));
}

void COptionPage::OnDestroy() {
  CPropertyPage::OnDestroy();
  UpdateData(TRUE);
}

void COptionPage::OnShowWindow(BOOL bShow, UINT nStatus) {
  CPropertyPage::OnShowWindow(bShow, nStatus);
  if (!bShow && m_entry.pullOnHide == PullOnHide::kYes) UpdateData(TRUE);
}
