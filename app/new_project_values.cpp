#include "app/new_project_values.h"

#include <cstdio>
#include <cstdlib>

namespace {

bool NewProjectHas(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

MainSourceTemplate NewProjectBoard(const std::string& environment) {
  if (!NewProjectHas(environment, "C++")) return MainSourceTemplate::kNone;
  for (const char* zor : {"ZOR6PCI", "X-ZOR-400", "X-ZOR-1"})
    if (NewProjectHas(environment, zor)) return MainSourceTemplate::kZor;
  if (NewProjectHas(environment, "TESSERA")) return MainSourceTemplate::kTessera;
  return MainSourceTemplate::kNone;
}

}  // namespace

std::string NormalizeProgramNumber(const std::string& text) {
  std::string digits;
  for (char c : text)
    if (c != 'x' && c != 'h') digits += c;
  unsigned long value = std::strtoul(digits.c_str(), nullptr, 16);
  char out[32];
  std::snprintf(out, sizeof out, "0x%lx", value);
  return out;
}

NewProjectPlan PlanNewProject(const NewProjectValues& values) {
  NewProjectPlan plan;
  std::string location = values.location;
  while (location.size() > 1 && (location.back() == '/' || location.back() == '\\')) location.pop_back();
  plan.folder = location;
  std::string base = location + "/" + values.name;
  plan.projectFile = base + ".kpj";
  plan.mainSource = base + (NewProjectHas(values.environment, "C++") ? ".c" : ".pas");
  plan.programNumber = NormalizeProgramNumber(values.programNumber);
  plan.board = NewProjectBoard(values.environment);
  plan.miniBoard = NewProjectHas(values.environment, "Mini-");
  return plan;
}

const char* MainSourceTemplateFile(MainSourceTemplate board) {
  switch (board) {
    case MainSourceTemplate::kZor:
      return "zortemplate.c";
    case MainSourceTemplate::kTessera:
      return "qj8template.c";
    default:
      return nullptr;
  }
}
