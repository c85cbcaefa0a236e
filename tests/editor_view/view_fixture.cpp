#include "view_fixture.h"

#include <QImage>

#include "tests/support/test_support.h"
#include "ui_test_support.h"

namespace view_test {

namespace {
constexpr int kWidth = 480;
constexpr int kHeight = 300;
}  // namespace

void ViewTest::SetUp() {
  ui_test::EnsureApp();
  AfxOleInit();
  dir = mirt_test::MakeTempDir("view");
  top = ui_test::MakeTop(kWidth + 40, kHeight + 40);
  doc = new CMirt2Doc;
  view = new CMirt2View;
  ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL,
                           CRect(0, 0, kWidth, kHeight), CWnd::FromHandle(top), AFX_IDW_PANE_FIRST));
  doc->AddView(view);
  buf = &doc->m_editBuffer;
  Load("");
}

void ViewTest::TearDown() {
  ::DestroyWindow(top);  // the view deletes itself, and the document goes with its last view
}

void ViewTest::Load(const std::string& text, const char* name) {
  std::string path = mirt_test::WriteFile(dir + "/" + name, text);
  ASSERT_TRUE(doc->LoadSourceFile(path.c_str()));
  buf->m_strFontName = "Courier New";
  buf->m_nFontSize = 10;
  buf->m_nTabSize = 4;
  view->OnInitialUpdate();
  view->SetFocus();
  Pump();
}

std::string ViewTest::Text() {
  std::string out;
  for (EditLine* l = buf->m_pLines; l != nullptr; l = l->next) {
    for (int i = 0; i < l->length; ++i) {
      if (l->text[i] != '\r') out.push_back(l->text[i]);
    }
  }
  return out;
}

std::string ViewTest::LineText(int n) {
  EditLine* l = buf->GetLine(n);
  return std::string(l->text, buf->ContentLength(l));
}

CPoint ViewTest::Cell(int row, int column) const {
  return CPoint(view->m_nMarginWidth + column * view->m_nCharWidth + 1,
                row * view->m_nLineHeight + view->m_nLineHeight / 2);
}

void ViewTest::Press(CPoint p, UINT keys) {
  view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(p.x, p.y));
}
void ViewTest::Release(CPoint p, UINT keys) { view->SendMessage(WM_LBUTTONUP, keys, MAKELPARAM(p.x, p.y)); }
void ViewTest::Move(CPoint p, UINT keys) { view->SendMessage(WM_MOUSEMOVE, keys, MAKELPARAM(p.x, p.y)); }

void ViewTest::Click(CPoint p, UINT keys) {
  Press(p, keys);
  Release(p, keys);
}

void ViewTest::Type(const std::string& text) {
  for (char c : text) view->SendMessage(WM_CHAR, static_cast<unsigned char>(c == '\n' ? '\r' : c), 1);
}

void ViewTest::Command(UINT id) { view->SendMessage(WM_COMMAND, id, 0); }

void ViewTest::Key(UINT vk) {
  view->SendMessage(WM_KEYDOWN, vk, 1);
  view->SendMessage(WM_KEYUP, vk, 0xC0000001);
}

void ViewTest::Pump() {
  for (int i = 0; i < 3; ++i) ::PumpWaitingMessages();
  ::UpdateWindow(view->m_hWnd);
}

void ViewTest::Picture(const char* name) {
  Pump();
  QImage image = ui_test::Picture(view->m_hWnd);
  image.save(QString::fromStdString(mirt_test::ProgramDir() + "/editor_view_" + name + ".png"));
}

COLORREF ViewTest::Pixel(int x, int y) {
  Pump();
  return ui_test::Pixel(view->m_hWnd, x, y);
}

}  // namespace view_test
