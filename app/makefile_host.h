// What the makefile writer needs of the main frame.
#pragma once

class CMakefileHost {
 public:
  virtual ~CMakefileHost() = default;
  // Saves every open source document whose text is modified.
  virtual void SaveModifiedDocuments() = 0;
  // Empties the Build pane of the output bar.
  virtual void ClearBuildPane() = 0;
};
