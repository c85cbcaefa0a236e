// The clipboard keeps bytes: text with line breaks, NULs after the text,
// high characters and registered formats come back exactly.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "../ui/ui_test_support.h"
#include "global_bytes.h"
#include "platform/ui/clipboard.h"

namespace {

TEST(Clipboard, ColumnBlockWithMarkerLineSurvivesCopyAndPaste) {
  ui_test::EnsureApp();
  UINT block = RegisterClipboardFormat("MirtColumnBlock");
  EXPECT_EQ(block, RegisterClipboardFormat("mirtcolumnblock"));
  const std::string text = std::string("ab  \r\n\tcd\xe9\xff\r\nef\r\n", 16) + std::string(1, '\0');
  const std::string marker = std::string("\x01\x02\x00\x03 block", 10);
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_TRUE(SetClipboardData(CF_TEXT, BytesBlock(text)));
  ASSERT_TRUE(SetClipboardData(block, BytesBlock(marker)));
  ASSERT_TRUE(CloseClipboard());

  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_OEMTEXT));
  EXPECT_TRUE(IsClipboardFormatAvailable(block));
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(BlockBytes(GetClipboardData(CF_TEXT)), text);
  EXPECT_EQ(BlockBytes(GetClipboardData(block)), marker);
  EXPECT_EQ(BlockBytes(GetClipboardData(CF_OEMTEXT)), text);
  EXPECT_EQ(EnumClipboardFormats(0), static_cast<UINT>(CF_TEXT));
  char name[64];
  EXPECT_GT(GetClipboardFormatName(block, name, sizeof name), 0);
  EXPECT_STREQ(name, "MirtColumnBlock");
  CloseClipboard();
}

TEST(Clipboard, CallsNeedAnOpenClipboard) {
  ui_test::EnsureApp();
  HGLOBAL h = BytesBlock("x");
  EXPECT_EQ(SetClipboardData(CF_TEXT, h), nullptr);
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
  EXPECT_FALSE(EmptyClipboard());
  EXPECT_FALSE(CloseClipboard());
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_FALSE(OpenClipboard(nullptr));  // already open
  CloseClipboard();
  GlobalFree(h);
}

TEST(Clipboard, EditCopiesAndPastesThroughIt) {
  ui_test::EnsureApp();
  HWND top = ui_test::MakeTop(200, 100, WS_POPUP | WS_VISIBLE);
  HWND edit = CreateWindowEx(0, "EDIT", "hello world", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 150, 40,
                             top, nullptr, nullptr, nullptr);
  SendMessage(edit, EM_SETSEL, 6, 11);
  SendMessage(edit, WM_COPY, 0, 0);
  std::string got;
  ASSERT_TRUE(mirt_ui::ClipboardText(&got));
  EXPECT_EQ(got, "world");
  ASSERT_TRUE(mirt_ui::SetClipboardText(nullptr, "a\r\nb"));
  SendMessage(edit, EM_SETSEL, 0, 5);
  SendMessage(edit, WM_PASTE, 0, 0);
  char buf[64];
  GetWindowText(edit, buf, sizeof buf);
  EXPECT_STREQ(buf, "a\r\nb world");
  DestroyWindow(top);
}

}  // namespace
