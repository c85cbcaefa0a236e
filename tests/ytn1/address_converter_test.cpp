#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <vector>

#include "../platform/ui/ui_test_support.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/message.h"
#include "tests/support/test_support.h"
#include "ytn1/address_converter_dialog.h"
#include "ytn1/ytn1.h"

namespace {

BOOL CALLBACK CollectConverter(HWND h, LPARAM list) {
  char caption[64] = {};
  GetWindowText(h, caption, sizeof caption);
  if (std::string(caption) == "Address Converter") reinterpret_cast<std::vector<HWND>*>(list)->push_back(h);
  return TRUE;
}

std::vector<HWND> Converters() {
  std::vector<HWND> found;
  EnumWindows(CollectConverter, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::string Field(HWND h, int id) {
  char text[32] = {};
  GetDlgItemText(h, id, text, sizeof text);
  return text;
}

class AddressConverterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_test::EnsureApp();
    plat::ClearMessageBoxRecords();
    for (HWND h : Converters()) DestroyWindow(h);
  }
  void TearDown() override {
    for (HWND h : Converters()) DestroyWindow(h);
  }
  static HWND Open() {
    EXPECT_EQ(SegmentOffset(0, 0, 0, 0), 0u);
    std::vector<HWND> all = Converters();
    return all.empty() ? nullptr : all.front();
  }
};

TEST_F(AddressConverterTest, EveryCallOpensAnIndependentWindowShowingZeros) {
  HWND first = Open();
  ASSERT_TRUE(first);
  for (int id : {ytn1::kConverterPhysical, ytn1::kConverterSegment, ytn1::kConverterOffset})
    EXPECT_EQ(Field(first, id), "0") << id;
  SegmentOffset(0, 0, 0, 0);
  EXPECT_EQ(Converters().size(), 2u);
  SendMessage(first, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(Converters().size(), 1u);
}

TEST_F(AddressConverterTest, FieldsConvertWhileTyping) {
  HWND h = Open();
  ASSERT_TRUE(h);
  struct Case {
    int field;
    const char* typed;
    const char* physical;
    const char* segment;
    const char* offset;
  };
  const Case cases[] = {
      {ytn1::kConverterPhysical, "B8000", "B8000", "B800", "0000"},
      {ytn1::kConverterPhysical, "12345", "12345", "1234", "0005"},
      {ytn1::kConverterPhysical, "01234", "1234", "0123", "0004"},
  };
  for (const Case& c : cases) {
    SetDlgItemText(h, c.field, c.typed);
    EXPECT_EQ(Field(h, ytn1::kConverterPhysical), c.physical) << c.typed;
    EXPECT_EQ(Field(h, ytn1::kConverterSegment), c.segment) << c.typed;
    EXPECT_EQ(Field(h, ytn1::kConverterOffset), c.offset) << c.typed;
  }
  SetDlgItemText(h, ytn1::kConverterSegment, "1234");
  SetDlgItemText(h, ytn1::kConverterOffset, "0010");
  EXPECT_EQ(Field(h, ytn1::kConverterPhysical), "12350");
  EXPECT_EQ(Field(h, ytn1::kConverterSegment), "1234");  // what the user typed stays
  SetDlgItemText(h, ytn1::kConverterSegment, "FFFF");
  SetDlgItemText(h, ytn1::kConverterOffset, "FFFF");
  EXPECT_EQ(Field(h, ytn1::kConverterPhysical), "10FFEF");
  for (int i = 0; i < 3; ++i) PumpWaitingMessages();
  UpdateWindow(h);
  ui_test::Picture(h).save(QString::fromStdString(mirt_test::ProgramDir() + "/ytn1_address_converter.png"));
}

TEST_F(AddressConverterTest, AddressesOfOneMegabyteAndAboveAreRefused) {
  HWND h = Open();
  ASSERT_TRUE(h);
  SetDlgItemText(h, ytn1::kConverterPhysical, "100000");
  ASSERT_FALSE(plat::MessageBoxRecords().empty());
  EXPECT_EQ(plat::MessageBoxRecords()[0].text, "Error!\r\n\r\nPhysical address out of range.");
  EXPECT_EQ(Field(h, ytn1::kConverterSegment), "0000");
  EXPECT_EQ(Field(h, ytn1::kConverterOffset), "0000");
  EXPECT_EQ(Field(h, ytn1::kConverterPhysical), "0");
}

}  // namespace
