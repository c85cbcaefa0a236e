// Printed pages of a text: where each page starts, and the header and
// footer texts with their codes.
#pragma once

#include <ctime>
#include <vector>

#include "platform/base/cstring.h"

// A line to lay out: its number and the bytes of its content.
struct PrintLine {
  int number = 0;
  int contentLength = 0;
  // False where no page may begin: the page before runs on over it.
  bool mayStartPage = true;
};

// Numbers of the first line of every page. A line longer than a row wraps
// over several rows; a line that does not fit on the rest of a page starts
// the next one, and a line taller than a whole page gets a page of its own.
// Rows per page or characters per row below 1 give one page. A page only
// begins at a line that may start one.
std::vector<int> ComputePageStarts(const std::vector<PrintLine>& lines, int charsPerRow, int rowsPerPage);

// "&p" becomes the page number, "&f" the file name (the first of each),
// then the C library's time codes expand with the given time.
CString FormatPageText(const CString& pattern, const char* fileName, int page, std::time_t when);
