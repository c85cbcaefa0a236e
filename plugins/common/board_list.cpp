#include "plugins/common/board_list.h"

#include <cstdlib>
#include <cstring>
#include <iterator>

#include "platform/sys/library.h"

namespace {

constexpr int kBoardListCount = 100;
constexpr uint32_t kKalvRecordSize = 250;

// Board names by BoardTypeCode.
struct BoardName {
  uint16_t type;
  const char* name;
};
constexpr BoardName kBoardNames[] = {
    {2, "Kora-DESK/2"},   {6, "Kora-LINE"}, {7, "Mini-TESSERA-4/486"},
    {8, "TESSERA-4/486"}, {16, "ZOR-PC"},   {0x600, "ZOR6PCI"},
};
// The ZOR family's names: boards of CardClass 2 (T-Rail).
constexpr const char* kZorBoardNames[] = {"ZOR-PC", "ZOR6PCI"};

// List formats by interface code (index); codes above 6 are not listed.
constexpr const char* kBoardListFormats[] = {
    "Board %d: %s [local]",  "Board %d: %s [serial]",        "Board %d: %s [remote server]",
    "Board %d: %s [local]",  "Board %d: %s [remote server]", "Board %d: %s [serial]",
    "Board %d: %s [TCP/IP]",
};

using KalvGetBoardParameters = int16_t (*)(int, void*);

uint32_t KalvRecordWord(const uint8_t* record, size_t offset) {
  uint32_t v;
  std::memcpy(&v, record + offset, sizeof v);
  return v;
}

}  // namespace

CString BoardListText(int number, uint16_t type, uint32_t interfaceCode) {
  if (interfaceCode >= std::size(kBoardListFormats)) return CString();
  CString name;
  for (const BoardName& b : kBoardNames)
    if (b.type == type) name = b.name;
  // An unknown type is listed under its own code.
  if (name.IsEmpty()) name.Format("type %u", type);
  CString text;
  text.Format(kBoardListFormats[interfaceCode], number, name);
  return text;
}

bool ParseBoardListText(const CString& text, int& number, uint16_t& cardClass) {
  constexpr int kPrefixLength = 6;  // "Board "
  if (text.Left(kPrefixLength) != "Board ") return false;
  int colon = text.Find(':');
  if (colon != 7 && colon != 8) return false;
  CString digits = text.Mid(kPrefixLength, colon - kPrefixLength);
  for (int i = 0; i < digits.GetLength(); ++i)
    if (digits[i] < '0' || digits[i] > '9') return false;
  number = std::atoi(digits);
  CString name = text.Mid(colon + 2);
  cardClass = 1;
  for (const char* zor : kZorBoardNames)
    if (name.Left(static_cast<int>(std::strlen(zor)) + 1) == CString(zor) + " ") cardClass = 2;
  return true;
}

KalvInfoState ReadInstalledBoards(std::vector<BoardListEntry>& boards) {
  HMODULE lib = LoadLibrary("kalvinfo.dll");
  if (!lib) return KalvInfoState::kMissing;
  auto get = reinterpret_cast<KalvGetBoardParameters>(
      reinterpret_cast<void*>(GetProcAddress(lib, "kalv_get_board_parameters")));
  if (!get) return KalvInfoState::kMissing;
  for (int n = 0; n < kBoardListCount; ++n) {
    uint8_t record[kKalvRecordSize] = {};
    std::memcpy(record, &kKalvRecordSize, sizeof kKalvRecordSize);
    if (get(n, record) != 0) continue;
    auto type = static_cast<uint16_t>(KalvRecordWord(record, 12));
    boards.push_back({n, type, BoardListText(n, type, KalvRecordWord(record, 8))});
  }
  return KalvInfoState::kLoaded;
}
