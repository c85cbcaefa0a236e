// Cuts a stream of bytes into a chain of buffer lines. A CR or LF ends a
// line, and a CR LF or LF CR pair counts as one line end; every line end
// becomes the buffer's own. A line wider than a line may be is cut into
// pieces without line ends. Bytes may come in any number of pieces (file
// chunks): a line or a line-end pair cut by a piece boundary is joined.
#pragma once

#include <string>

#include "editor/editline.h"

class EditBuffer;
class LoadedLines;

class LineSplitter {
 public:
  // With a store the lines' texts are put there (lines read from a file).
  explicit LineSplitter(EditBuffer& buffer, LoadedLines* store = nullptr);
  ~LineSplitter();  // frees a chain that was not taken
  LineSplitter(const LineSplitter&) = delete;
  LineSplitter& operator=(const LineSplitter&) = delete;

  // False when memory runs out (the chain so far stays).
  bool Feed(const char* data, int n);
  // Ends the stream: held bytes become the last line.
  bool Finish();

  // The chain made (null when empty); the caller owns it afterwards.
  EditLine* Take();
  EditLine* Tail() const { return m_tail; }
  // Lines made; they are numbered 1, 2, 3... in the chain.
  int Count() const { return m_count; }
  // Some line was cut because it was too wide.
  bool Wrapped() const { return m_wrapped; }

 private:
  bool Line(const char* p, int n, bool withEnd);
  bool Append(const char* p, int n, bool withEnd);
  bool CutPending();
  int FittingBytes(const char* p, int n) const;
  const char* NextBreak(const char* p, const char* end);

  EditBuffer& m_buffer;
  LoadedLines* m_store;
  std::string m_pending;  // start of a line whose end has not come yet
  char m_held = 0;        // a CR or LF that ended the last piece
  EditLine* m_head = nullptr;
  EditLine* m_tail = nullptr;
  int m_count = 0;
  bool m_wrapped = false;
};
