// A source view on a document in a top-level window, offscreen, with the
// fixed test font, and the input a test gives it through window messages.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "editor/view/cmirt2view.h"

namespace view_test {

class ViewTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Loads a text into the document and resets the view onto it.
  void Load(const std::string& text, const char* name = "test.c");
  // The buffer's text with LF line ends.
  std::string Text();
  std::string LineText(int n);

  // Client point of the middle of a cell (line 1-based from the top line,
  // display column from the left column).
  CPoint Cell(int row, int column) const;
  void Click(CPoint p, UINT keys = 0);
  void Press(CPoint p, UINT keys = 0);
  void Release(CPoint p, UINT keys = 0);
  void Move(CPoint p, UINT keys = MK_LBUTTON);
  void Type(const std::string& text);
  void Command(UINT id);
  // A virtual key as the keyboard sends it (through the accelerators).
  void Key(UINT vk);
  void Pump();
  // Writes the window's picture into the build tree.
  void Picture(const char* name);
  COLORREF Pixel(int x, int y);

  HWND top = nullptr;
  CMirt2Doc* doc = nullptr;
  CMirt2View* view = nullptr;
  EditBuffer* buf = nullptr;
  std::string dir;
};

}  // namespace view_test
