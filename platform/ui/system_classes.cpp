#include "platform/ui/system_classes.h"

#include <mutex>
#include <vector>

namespace mirt_ui {
namespace {
std::vector<ClassRegistrar>& Registrars() {
  static std::vector<ClassRegistrar> v;
  return v;
}
}  // namespace

bool AddSystemClass(ClassRegistrar r) {
  Registrars().push_back(r);
  return true;
}

void RegisterSystemClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (ClassRegistrar r : Registrars()) r();
  });
}
}  // namespace mirt_ui
