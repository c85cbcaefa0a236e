# Turns a .res image (IN) into a C++ source (OUT) that registers it with
# the window layer when its module loads.
file(READ ${IN} hex HEX)
string(LENGTH "${hex}" len)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE ${OUT} "// Generated from the compiled resources; do not edit.
#include <cstddef>

namespace mirt_ui {
void RegisterModuleResources(const void* anchor, const unsigned char* res, size_t size);
void UnregisterModuleResources(const void* anchor);
}  // namespace mirt_ui

namespace {
const unsigned char kResources[] = {
${bytes}0};
struct Registration {
  Registration() { mirt_ui::RegisterModuleResources(kResources, kResources, sizeof kResources - 1); }
  ~Registration() { mirt_ui::UnregisterModuleResources(kResources); }
} registration;
}  // namespace
")
