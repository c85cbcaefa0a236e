// Makes a new project's main source from a board template: the program
// number and, for interrupt tasks, the task's kind and interrupt are filled
// in line by line. Lines keep the template's own line ends (CR LF or LF).
#pragma once

#include <string>

#include "app/new_project_values.h"

// One template line (without its line feed) as the main source gets it,
// with its line end. lineEnd: what ended the line in the template ("\r\n",
// "\n", or "" for a last line without one).
std::string FillTemplateLine(std::string line, const std::string& lineEnd, MainSourceTemplate board,
                             int taskType, const std::string& programNumber, bool miniBoard);

// The whole template's text filled in.
std::string FillTemplateText(const std::string& text, MainSourceTemplate board, int taskType,
                             const std::string& programNumber, bool miniBoard);

enum class MainSourceResult { kWritten, kNoTemplate, kNotCreated };

// Reads the template, writes the main source. A template that cannot be
// read ("Could not read template file:\n%s") or a main source that cannot
// be created ("Could not create file:\n%s") is shown in a message box.
MainSourceResult GenerateMainSource(const std::string& templatePath, const std::string& mainSource,
                                    MainSourceTemplate board, int taskType, const std::string& programNumber,
                                    bool miniBoard);
