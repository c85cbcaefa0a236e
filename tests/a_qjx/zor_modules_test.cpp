#include <string>

#include "a_qjx/zor_module_info.h"
#include "tests/a_qjx/family_fixture.h"

namespace {

std::string Listing(const std::string& rack) {
  sim::Simulator::Instance().Configure(rack);
  CBoardFamily* f = FamilyForType(16);
  f->typeCode = 16;
  f->boardNumber = 4;
  f->GetEepromText();
  return f->eepromText.operator LPCTSTR();
}

TEST_F(FamilyTest, ModuleListingOfTheDefaultZorBoard) {
  std::string text = Listing("");
  EXPECT_EQ(text.rfind("Module Name:      ZOR-CPU486\n"
                       "Module Type:      11\n"
                       "Slot / Layer:     1 / 0\n"
                       "Serial Number:    1001\n"
                       "Module Version:   B.2\n"
                       "Production State: PRODUCTION \n"
                       "Production Date:  2023-05-17\n"
                       "Chip-Design:      C (3)\n"
                       "Description:      \x95 486 CPU module\r\n\x95 Real-time operating system Vantor\n"
                       "EEPROM Word 00:   000b hex\n",
                       0),
            0u);
  EXPECT_NE(text.find("EEPROM Word 63:   "), std::string::npos);
  EXPECT_NE(text.find("Module Name:      ZOR-REL8/NO\n"), std::string::npos);
  EXPECT_NE(text.find("Chip-Design:      not set\n"), std::string::npos);
  // Type 0x7777 is not in the table; chip design 27 has no letter.
  EXPECT_NE(text.find("Module Name:      Unknown Hardware\n"), std::string::npos);
  EXPECT_NE(text.find("Description:      This hardware cannot be specified.\n"), std::string::npos);
  EXPECT_NE(text.find("Chip-Design:      - (27)\n"), std::string::npos);
}

TEST_F(FamilyTest, ModuleListingEdgeCases) {
  EXPECT_EQ(Listing("board 4 type=16 nomodules\n"), "");
  std::string text = Listing(
      "board 4 type=16 nomodules\n"
      "module 4 slot=2 layer=3 type=120 variant=1 serial=77 design=0 \n"
      "module 4 slot=5 layer=0 type=200 serial=5 noarea\n");
  EXPECT_NE(text.find("Module Name:      ZOR-REL8/NC\n"), std::string::npos);
  EXPECT_NE(text.find("Chip-Design:      - (0)\n"), std::string::npos);
  size_t unreadable = text.find("Module Name:      ZOR-AD8\n");
  ASSERT_NE(unreadable, std::string::npos);
  std::string tail = text.substr(unreadable);
  EXPECT_NE(tail.find("Serial Number:    0\nModule Version:   A.1\nProduction State: \nProduction Date:  \n"
                      "Chip-Design:      not set\n"),
            std::string::npos);
}

TEST_F(FamilyTest, CarrierBoardDescribesItself) {
  sim().Configure("board 4 type=0x600 nomodules\nmodule 4 slot=0 layer=0 type=600\n");
  ZorModuleInfo m;
  m.Fill(4, 0, 0);
  EXPECT_EQ(m.typeKey, 0x8600u);
  EXPECT_EQ(m.moduleType, 0x600);
  EXPECT_EQ(m.serialNumber, 4711);
  EXPECT_EQ(std::string(m.name), "ZOR6PCI");
}

}  // namespace
