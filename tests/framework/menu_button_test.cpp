// Menu buttons (text buttons that drop a menu) and the menu-template walk
// the menu bar builds them from.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/sec_std_btn_menu.h"
#include "framework/sec_std_btn_menu_template.h"
#include "platform/ui/menu.h"
#include "platform/ui/resources.h"
#include "tool_bar_fixture.h"
#include "ui_test_support.h"

using namespace tb_test;

namespace {

// A menu template: "&File" (popup: "&Open" 10, separator, "E&xit" 11), "&Edit" (popup: "&Undo" 20),
// "&Help" 30.
class MenuTemplate {
 public:
  MenuTemplate() {
    Popup("&File");
    Item(0, 10, "&Open");
    Item(0, 0, "");
    Item(MF_END, 11, "E&xit");
    Popup("&Edit");
    Item(MF_END, 20, "&Undo");
    Item(MF_END, 30, "&Help");
  }
  const BYTE* begin() const { return bytes.data(); }
  const BYTE* end() const { return bytes.data() + bytes.size(); }
  std::vector<BYTE> bytes;

 private:
  void Word(WORD w) {
    bytes.push_back(static_cast<BYTE>(w));
    bytes.push_back(static_cast<BYTE>(w >> 8));
  }
  void Text(const char* s) {
    for (; *s; ++s) Word(static_cast<unsigned char>(*s));
    Word(0);
  }
  void Popup(const char* text) {
    Word(MF_POPUP);
    Text(text);
  }
  void Item(WORD flags, WORD id, const char* text) {
    Word(flags);
    Word(id);
    Text(text);
  }
};

}  // namespace

TEST(MenuTemplateTest, FindsItemsOfALevelAndSkipsPopups) {
  MenuTemplate menu;
  struct Case {
    int n;
    BOOL found;
    std::string text;
  };
  const Case cases[] = {{0, TRUE, "&File"}, {1, TRUE, "&Edit"}, {2, TRUE, "&Help"}, {3, FALSE, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    const BYTE* p = menu.begin();
    EXPECT_EQ(FindTemplateItem(p, menu.end(), c.n), c.found);
    if (c.found) EXPECT_EQ(TemplateItemText(p, menu.end()), c.text);
  }
  // A template cut inside a text ends the walk instead of reading past it.
  const BYTE* p = menu.begin();
  EXPECT_FALSE(FindTemplateItem(p, menu.begin() + 7, 1));
}

TEST(MenuTemplateTest, BuildsPopupsWithSeparators) {
  ui_test::EnsureApp();
  MenuTemplate menu;
  const BYTE* p = menu.begin();
  ASSERT_TRUE(FindTemplateItem(p, menu.end(), 0));
  p += 2 + 2 * 6;  // past the popup's flags and "&File"
  HMENU popup = BuildPopupFromTemplate(p, menu.end());
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(::GetMenuItemCount(popup), 3);
  EXPECT_EQ(::GetMenuItemID(popup, 0), 10u);
  EXPECT_EQ(::GetMenuState(popup, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
  EXPECT_EQ(::GetMenuItemID(popup, 2), 11u);
  EXPECT_EQ(TemplateItemText(p, menu.end()), "&Edit");  // p stands after the level
  ::DestroyMenu(popup);
  const BYTE* cut = menu.begin() + 2 + 2 * 6;
  EXPECT_EQ(BuildPopupFromTemplate(cut, menu.begin() + 20), nullptr);
}

TEST(MenuButtonTest, MnemonicIsTheLowercaseCharacterAfterTheFirstAmpersand) {
  struct Case {
    const char* text;
    int mnemonic;
  };
  const Case cases[] = {{"&File", 'f'}, {"E&xit", 'x'}, {"Edit&", 0}, {"Help", 0}, {"&\xC4nderung", 0xE4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    SECTBMenuBtn btn;
    btn.m_strText = c.text;
    btn.ComputeMnemonic();
    EXPECT_EQ(btn.m_nMnemonic, c.mnemonic);
  }
}

TEST_F(ToolBarTest, AMenuButtonDropsItsMenuInsteadOfACommand) {
  static const char kText[] = "&File";
  static const SECBtnMapEntry kMap[] = {
      {SEC_BUTTON_CLASS(SECTBMenuBtn), kIdOther, 0, {7, 9, reinterpret_cast<UINT_PTR>(kText), 0, 0}}, {}};
  SECCustomToolBar* bar = MakeBar(kBarId);
  bar->SetButtonMap(kMap);
  const UINT ids[] = {kIdNew, kIdOther};
  bar->SetButtons(ids, 2);
  Layout();
  auto* menu = static_cast<SECTBMenuBtn*>(bar->GetBtn(1));
  EXPECT_EQ(menu->m_nType, SECBtnMenu);
  EXPECT_EQ(menu->m_nMnemonic, 'f');
  EXPECT_GT(menu->m_cx, 10);
  EXPECT_NE(menu->m_cx, bar->GetButtonWidth());  // measured from its text
  frame->record = true;
  Click(bar, Centre(bar, 1));
  ExpectLog({{WM_NOTIFY, static_cast<WPARAM>(static_cast<UINT>(SEC_TBN_MENUDROPDOWN))}});
  EXPECT_EQ(frame->commands[3], 0);
  EXPECT_EQ(bar->GetDropDownButton(), 1);
  EXPECT_EQ(bar->GetFirstMenuButton(), 1);
  EXPECT_EQ(bar->GetNextMenuButton(TRUE), -1);
  bar->DropDownClosed();
  EXPECT_EQ(bar->GetDropDownButton(), -1);
  Picture(bar, "menu_button");
}
