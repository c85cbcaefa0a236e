#include "platform/ui/application.h"

#include <QApplication>
#include <string>
#include <vector>

namespace mirt_ui {

void EnsureApplication(int argc, char** argv) {
  if (QCoreApplication::instance()) return;
  // Qt keeps references to the arguments for the program's life.
  static std::vector<std::string> args;
  static std::vector<char*> pointers;
  static int count = 0;
  args.assign(argv, argv + (argv ? argc : 0));
  if (args.empty()) args.emplace_back("mirt");
  for (auto& a : args) pointers.push_back(a.data());
  pointers.push_back(nullptr);
  count = static_cast<int>(args.size());
  new QApplication(count, pointers.data());
}

}  // namespace mirt_ui
