#include "app/project_file_route.h"

#include <strings.h>

#include <cctype>
#include <string_view>

#include "app/core/text_helpers.h"

namespace {

// Legend: extension (any letter case) -> group; others are object files.
struct RouteExtension {
  const char* extension;
  ProjectFileGroup group;
};
constexpr RouteExtension kRouteExtensions[] = {
    {"c", ProjectFileGroup::kSource},   {"pas", ProjectFileGroup::kSource},
    {"asm", ProjectFileGroup::kSource}, {"cpp", ProjectFileGroup::kSource},
    {"s", ProjectFileGroup::kSource},   {"lib", ProjectFileGroup::kLibrary},
    {"h", ProjectFileGroup::kHeader},   {"ins", ProjectFileGroup::kInstallation},
};

ProjectFileGroup RouteGroupOf(const std::string& name) {
  size_t dot = name.rfind('.');
  std::string extension = dot == std::string::npos ? std::string() : name.substr(dot + 1);
  for (const RouteExtension& entry : kRouteExtensions)
    if (dot != std::string::npos && strcasecmp(entry.extension, extension.c_str()) == 0) return entry.group;
  return ProjectFileGroup::kObject;
}

// True when dir (any letter case, either separator) is one of the
// ";"-separated entries.
bool RouteIsLibDir(std::string_view dir, const char* libDirs) {
  if (!libDirs) return false;
  auto same = [](std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
      char x = a[i] == '/' ? '\\' : a[i], y = b[i] == '/' ? '\\' : b[i];
      if (std::tolower(static_cast<unsigned char>(x)) != std::tolower(static_cast<unsigned char>(y)))
        return false;
    }
    return true;
  };
  std::string_view rest(libDirs);
  while (true) {
    size_t semi = rest.find(';');
    if (same(rest.substr(0, semi), dir)) return true;
    if (semi == std::string_view::npos) return false;
    rest.remove_prefix(semi + 1);
  }
}

}  // namespace

ProjectFileRoute RouteProjectFile(const char* path, const char* projectDir, const char* libDirs) {
  ProjectFileRoute route;
  route.name = projectDir ? static_cast<const char*>(MakeRelativePath(path, projectDir)) : path;
  route.group = RouteGroupOf(route.name);
  const char* namePart = FileNameFromPath(route.name.c_str());
  size_t nameStart = static_cast<size_t>(namePart - route.name.c_str());
  if (route.group == ProjectFileGroup::kLibrary && nameStart > 0) {
    std::string_view dir(route.name.data(), nameStart - 1);
    if (RouteIsLibDir(dir, libDirs)) route.name = route.name.substr(nameStart);
  }
  return route;
}
