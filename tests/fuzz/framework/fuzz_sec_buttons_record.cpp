// A tool bar's saved button list read from a profile or tree blob and from
// an archive: any bytes decode within the record limits, and a damaged
// archive ends in an archive exception.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "framework/sec_custom_tool_bar_info_ex.h"
#include "platform/afx/archive.h"

namespace {
class FuzzButtonsFile : public CFile {
 public:
  FuzzButtonsFile(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  UINT Read(void* buf, UINT count) override {
    size_t n = std::min<size_t>(count, size_ - at_);
    memcpy(buf, data_ + at_, n);
    at_ += n;
    return static_cast<UINT>(n);
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

void FuzzButtonsCheck(const SECBtnInfoArray& buttons) {
  if (buttons.size() > static_cast<size_t>(kSECMaxSavedButtons)) std::abort();
  for (const SECBtnInfo& b : buttons)
    if (b.data.size() > kSECMaxButtonData) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SECBtnInfoArray buttons;
  if (SECDecodeButtons(data, size, buttons) && SECEncodeButtons(buttons).size() != size) std::abort();
  FuzzButtonsCheck(buttons);
  FuzzButtonsFile file(data, size);
  SECCustomToolBarInfoEx info;
  try {
    CArchive ar(&file, CArchive::load);
    info.Serialize(ar, nullptr);
  } catch (CException* e) {
    e->Delete();
  }
  FuzzButtonsCheck(info.m_btnInfo);
  return 0;
}
