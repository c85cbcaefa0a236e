// What New Project derives from the values of its dialog: the project file,
// the main source, the program number and the board template to fill in.
#pragma once

#include <string>

// The New Project dialog's values.
struct NewProjectValues {
  std::string name;
  std::string location;     // the project folder
  std::string environment;  // an environment name of "mirt.cfg"
  std::string programNumber = "0x7e57";
  int taskType = 0;  // 0 "NI-Task", 1 "TI-Task", 2 "II-Task", 3 as 2 with the DI flags
};

// The board template a new project's main source is made from.
enum class MainSourceTemplate {
  kNone,     // the main source is not generated
  kZor,      // "zortemplate.c"
  kTessera,  // "qj8template.c"
};

struct NewProjectPlan {
  std::string folder;         // the location without a trailing separator
  std::string projectFile;    // location, name, ".kpj"
  std::string mainSource;     // location, name, ".c" for C++ environments, else ".pas"
  std::string programNumber;  // "0x%x"
  MainSourceTemplate board = MainSourceTemplate::kNone;
  bool miniBoard = false;  // "Mini-": "qj8" becomes "qj7"
};

NewProjectPlan PlanNewProject(const NewProjectValues& values);

// The program number text without "x" and "h", read in hexadecimal and
// written as "0x%x": "1Fh", "0x1f" and "1f" all give "0x1f".
std::string NormalizeProgramNumber(const std::string& text);

// The template file's name in the installation folder.
const char* MainSourceTemplateFile(MainSourceTemplate board);
