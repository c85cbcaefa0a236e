// Dialog data exchange: values between controls and members, with the
// parse and range checks that keep the dialog open on bad input.
#include <cerrno>
#include <cfloat>
#include <climits>
#include <cstdlib>
#include <string>

#include "platform/sys/msgbox.h"
#include "platform/ui/afxdlg.h"
#include "platform/ui/controls_impl.h"

namespace {

const char kParseInt[] = "Please enter an integer.";
const char kParseUInt[] = "Please enter a positive integer.";
const char kParseReal[] = "Please enter a number.";
const char kParseByte[] = "Please enter an integer between 0 and 255.";

std::string Trimmed(HWND h) {
  std::string s = mirt_ui::WindowTextOf(h);
  size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
  return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

[[noreturn]] void FailWith(CDataExchange* dx, const std::string& text) {
  AfxMessageBox(text.c_str(), MB_ICONEXCLAMATION);
  dx->Fail();
}

// The whole text as a signed or unsigned number within [lo, hi].
bool ParseInteger(const std::string& s, bool allowMinus, long long lo, long long hi, long long* out) {
  if (s.empty() || (!allowMinus && s[0] == '-')) return false;
  errno = 0;
  char* end = nullptr;
  long long v;
  if (allowMinus) {
    v = strtoll(s.c_str(), &end, 10);
  } else {
    unsigned long long u = strtoull(s.c_str(), &end, 10);
    v = u > static_cast<unsigned long long>(LLONG_MAX) ? LLONG_MAX : static_cast<long long>(u);
  }
  if (errno == ERANGE || !end || end == s.c_str() || *end) return false;
  if (v < lo || v > hi) return false;
  *out = v;
  return true;
}

template <class T>
void ExchangeInteger(CDataExchange* dx, int id, T& value, bool allowMinus, long long lo, long long hi,
                     const char* message) {
  HWND h = dx->PrepareEditCtrl(id);
  if (!h) return;
  if (dx->m_bSaveAndValidate) {
    long long v;
    if (!ParseInteger(Trimmed(h), allowMinus, lo, hi, &v)) FailWith(dx, message);
    value = static_cast<T>(v);
  } else {
    std::string text = allowMinus ? std::to_string(static_cast<long long>(value))
                                  : std::to_string(static_cast<unsigned long long>(value));
    SetWindowText(h, text.c_str());
  }
}

template <class T>
void ExchangeReal(CDataExchange* dx, int id, T& value, int digits) {
  HWND h = dx->PrepareEditCtrl(id);
  if (!h) return;
  if (dx->m_bSaveAndValidate) {
    std::string s = Trimmed(h);
    char* end = nullptr;
    double v = s.empty() ? 0 : strtod(s.c_str(), &end);
    if (s.empty() || !end || *end) FailWith(dx, kParseReal);
    value = static_cast<T>(v);
  } else {
    char buf[64];
    snprintf(buf, sizeof buf, "%.*g", digits, static_cast<double>(value));
    SetWindowText(h, buf);
  }
}

std::string Number(long long v) { return std::to_string(v); }
std::string Number(unsigned long long v) { return std::to_string(v); }
std::string Number(double v, int digits) {
  char buf[64];
  snprintf(buf, sizeof buf, "%.*g", digits, v);
  return buf;
}

[[noreturn]] void FailRange(CDataExchange* dx, const std::string& lo, const std::string& hi, bool real) {
  std::string text =
      std::string(real ? "Please enter a number between " : "Please enter an integer between ") + lo +
      " and " + hi + ".";
  FailWith(dx, text);
}

bool IsCombo(HWND h) {
  char cls[16] = {0};
  GetClassName(h, cls, sizeof cls);
  return lstrcmpi(cls, "COMBOBOX") == 0;
}

std::string ListText(HWND h, UINT lenMsg, UINT textMsg, int i) {
  LRESULT n = SendMessage(h, lenMsg, static_cast<WPARAM>(i), 0);
  if (n < 0) return std::string();
  std::string t(static_cast<size_t>(n) + 1, '\0');
  SendMessage(h, textMsg, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(t.data()));
  t.resize(static_cast<size_t>(n));
  return t;
}

}  // namespace

BOOL CWnd::UpdateData(BOOL save) {
  CDataExchange dx(this, save);
  try {
    DoDataExchange(&dx);
  } catch (CException* e) {
    e->Delete();
    return FALSE;
  }
  return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}
void CWnd::CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
UINT CWnd::IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
void CWnd::CheckRadioButton(int first, int last, int check) {
  ::CheckRadioButton(m_hWnd, first, last, check);
}
int CWnd::GetCheckedRadioButton(int first, int last) {
  for (int id = first; id <= last; ++id)
    if (::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED) return id;
  return 0;
}

CDataExchange::CDataExchange(CWnd* dlg, BOOL save) : m_bSaveAndValidate(save), m_pDlgWnd(dlg) {}

HWND CDataExchange::PrepareCtrl(int id) {
  HWND h = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
  ASSERT(h != nullptr);
  m_idLastControl = id;
  m_bEditLastControl = FALSE;
  return h;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
  HWND h = PrepareCtrl(id);
  m_bEditLastControl = TRUE;
  return h;
}

void CDataExchange::Fail() {
  if (!m_bSaveAndValidate) AfxThrowUserException();
  if (HWND h = ::GetDlgItem(m_pDlgWnd->m_hWnd, m_idLastControl)) {
    ::SetFocus(h);
    if (m_bEditLastControl) ::SendMessage(h, EM_SETSEL, 0, -1);
  }
  AfxThrowUserException();
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
  HWND h = dx->PrepareEditCtrl(id);
  if (!h) return;
  if (dx->m_bSaveAndValidate) {
    std::string s = mirt_ui::WindowTextOf(h);
    value = CString(s.data(), static_cast<int>(s.size()));
  } else if (mirt_ui::WindowTextOf(h) != std::string(value)) {
    // An unchanged text is left alone, so a caret in it stays where it is.
    SetWindowText(h, value);
  }
}

void DDX_Text(CDataExchange* dx, int id, int& v) {
  ExchangeInteger(dx, id, v, true, INT_MIN, INT_MAX, kParseInt);
}
void DDX_Text(CDataExchange* dx, int id, UINT& v) {
  ExchangeInteger(dx, id, v, false, 0, UINT_MAX, kParseUInt);
}
void DDX_Text(CDataExchange* dx, int id, long& v) {
  ExchangeInteger(dx, id, v, true, LONG_MIN, LONG_MAX, kParseInt);
}
void DDX_Text(CDataExchange* dx, int id, short& v) {
  ExchangeInteger(dx, id, v, true, SHRT_MIN, SHRT_MAX, kParseInt);
}
void DDX_Text(CDataExchange* dx, int id, BYTE& v) { ExchangeInteger(dx, id, v, false, 0, 255, kParseByte); }
void DDX_Text(CDataExchange* dx, int id, double& v) { ExchangeReal(dx, id, v, DBL_DIG); }
void DDX_Text(CDataExchange* dx, int id, float& v) { ExchangeReal(dx, id, v, FLT_DIG); }

void DDX_Check(CDataExchange* dx, int id, int& value) {
  HWND h = dx->PrepareCtrl(id);
  if (!h) return;
  if (dx->m_bSaveAndValidate)
    value = static_cast<int>(SendMessage(h, BM_GETCHECK, 0, 0));
  else
    SendMessage(h, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
  HWND first = dx->PrepareCtrl(id);
  if (!first) return;
  if (dx->m_bSaveAndValidate) value = -1;
  int index = 0;
  for (HWND c = first; c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (c != first && (GetWindowLong(c, GWL_STYLE) & WS_GROUP)) break;
    if (!(SendMessage(c, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)) continue;
    if (dx->m_bSaveAndValidate) {
      if (SendMessage(c, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
    } else {
      SendMessage(c, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    ++index;
  }
}

void DDX_CBString(CDataExchange* dx, int id, CString& value) {
  HWND h = dx->PrepareCtrl(id);
  if (!h) return;
  if (dx->m_bSaveAndValidate) {
    std::string s = mirt_ui::WindowTextOf(h);
    value = CString(s.data(), static_cast<int>(s.size()));
  } else if (SendMessage(h, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(LPCSTR(value))) == CB_ERR) {
    SetWindowText(h, value);
  }
}

void DDX_CBStringExact(CDataExchange* dx, int id, CString& value) {
  HWND h = dx->PrepareCtrl(id);
  if (!h) return;
  if (dx->m_bSaveAndValidate) {
    std::string s = mirt_ui::WindowTextOf(h);
    value = CString(s.data(), static_cast<int>(s.size()));
    return;
  }
  LRESULT i =
      SendMessage(h, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(LPCSTR(value)));
  if (i == CB_ERR)
    SetWindowText(h, value);
  else
    SendMessage(h, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index) {
  HWND h = dx->PrepareCtrl(id);
  if (!h) return;
  if (dx->m_bSaveAndValidate)
    index = static_cast<int>(SendMessage(h, CB_GETCURSEL, 0, 0));
  else
    SendMessage(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_LBString(CDataExchange* dx, int id, CString& value) {
  HWND h = dx->PrepareCtrl(id);
  if (!h) return;
  if (dx->m_bSaveAndValidate) {
    int i = static_cast<int>(SendMessage(h, LB_GETCURSEL, 0, 0));
    std::string s = i >= 0 ? ListText(h, LB_GETTEXTLEN, LB_GETTEXT, i) : std::string();
    value = CString(s.data(), static_cast<int>(s.size()));
  } else if (SendMessage(h, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(LPCSTR(value))) == LB_ERR) {
    SendMessage(h, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  }
}

void DDX_LBStringExact(CDataExchange* dx, int id, CString& value) {
  HWND h = dx->PrepareCtrl(id);
  if (!h) return;
  if (dx->m_bSaveAndValidate) return DDX_LBString(dx, id, value);
  LRESULT i =
      SendMessage(h, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(LPCSTR(value)));
  SendMessage(h, LB_SETCURSEL, static_cast<WPARAM>(i == LB_ERR ? -1 : i), 0);
}

void DDX_LBIndex(CDataExchange* dx, int id, int& index) {
  HWND h = dx->PrepareCtrl(id);
  if (!h) return;
  if (dx->m_bSaveAndValidate)
    index = static_cast<int>(SendMessage(h, LB_GETCURSEL, 0, 0));
  else
    SendMessage(h, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (control.m_hWnd) return;
  HWND h = dx->PrepareCtrl(id);
  if (h && !control.SubclassWindow(h)) AfxThrowNotSupportedException();
}

void DDV_MaxChars(CDataExchange* dx, CString const& value, int n) {
  HWND h = ::GetDlgItem(dx->m_pDlgWnd->m_hWnd, dx->m_idLastControl);
  if (dx->m_bSaveAndValidate) {
    if (value.GetLength() > n)
      FailWith(dx, "Please enter no more than " + std::to_string(n) + " characters.");
  } else if (h) {
    SendMessage(h, IsCombo(h) ? CB_LIMITTEXT : EM_LIMITTEXT, static_cast<WPARAM>(n), 0);
  }
}

void DDV_MinMaxInt(CDataExchange* dx, int v, int lo, int hi) {
  if (dx->m_bSaveAndValidate && (v < lo || v > hi))
    FailRange(dx, Number(static_cast<long long>(lo)), Number(static_cast<long long>(hi)), false);
}
void DDV_MinMaxUInt(CDataExchange* dx, UINT v, UINT lo, UINT hi) {
  if (dx->m_bSaveAndValidate && (v < lo || v > hi))
    FailRange(dx, Number(static_cast<unsigned long long>(lo)), Number(static_cast<unsigned long long>(hi)),
              false);
}
void DDV_MinMaxLong(CDataExchange* dx, long v, long lo, long hi) {
  if (dx->m_bSaveAndValidate && (v < lo || v > hi))
    FailRange(dx, Number(static_cast<long long>(lo)), Number(static_cast<long long>(hi)), false);
}
void DDV_MinMaxDWord(CDataExchange* dx, DWORD v, DWORD lo, DWORD hi) { DDV_MinMaxUInt(dx, v, lo, hi); }
void DDV_MinMaxShort(CDataExchange* dx, short v, short lo, short hi) { DDV_MinMaxInt(dx, v, lo, hi); }
void DDV_MinMaxByte(CDataExchange* dx, BYTE v, BYTE lo, BYTE hi) { DDV_MinMaxUInt(dx, v, lo, hi); }
void DDV_MinMaxDouble(CDataExchange* dx, double const& v, double lo, double hi) {
  if (dx->m_bSaveAndValidate && (v < lo || v > hi))
    FailRange(dx, Number(lo, DBL_DIG), Number(hi, DBL_DIG), true);
}
void DDV_MinMaxFloat(CDataExchange* dx, float const& v, float lo, float hi) {
  if (dx->m_bSaveAndValidate && (v < lo || v > hi))
    FailRange(dx, Number(lo, FLT_DIG), Number(hi, FLT_DIG), true);
}
