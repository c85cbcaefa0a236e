// What the program tells a test driver about its open source documents:
// per document its modified flag, the size and FNV-1a hash of the bytes a
// save would write, and its path, so a driver can tell a file saved whole
// from a torn one.
#pragma once

// Adds the report to the layer's test hook; the first call only.
void AddDocumentStateReport();
