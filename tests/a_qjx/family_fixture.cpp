#include "tests/a_qjx/family_fixture.h"

#include "drivers/rizo32/rizo32.h"
#include "tests/support/test_support.h"
#include "ytn1/settings_state.h"

void FamilyTest::SetUp() {
  sim().Configure();
  ytn1::LibraryStartup();
  plat::ClearMessageBoxRecords();
  dir = mirt_test::MakeTempDir("family");
}

CBoardFamily& FamilyTest::Select(WORD type, uint16_t servedBoard) {
  CBoardFamily* f = FamilyForType(type);
  f->typeCode = type;
  f->mddTask = 0;  // the objects live on from test to test
  g_currentFamily = f;
  if (board(servedBoard).IsQj()) qj8_select_card(servedBoard);
  sim().Trace().Clear();
  return *f;
}

std::vector<std::string> FamilyTest::BoxTexts() {
  std::vector<std::string> texts;
  for (auto& r : plat::MessageBoxRecords()) texts.push_back(r.text);
  return texts;
}

std::vector<long long> FamilyTest::Results(const std::string& call) {
  std::vector<long long> v;
  for (auto& e : sim().Trace().Of(call)) v.push_back(e.result);
  return v;
}

std::vector<std::string> FamilyTest::Args(const std::string& call) {
  std::vector<std::string> v;
  for (auto& e : sim().Trace().Of(call)) v.push_back(e.args);
  return v;
}

void FamilyTest::Install(uint16_t task, uint16_t program, const std::string& keys, uint32_t dataSize,
                         uint32_t flags) {
  std::string file =
      mirt_test::WriteFile(mirt_test::MakeTempDir("prog") + "/P.EXE", "KALVEN-SIM-PROGRAM\r\n" + keys);
  ASSERT_EQ(qj8_transfer_and_install(file.c_str(), 0, task, program, 0, flags, dataSize), 0);
}
