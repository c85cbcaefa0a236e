// What the frame tells a test driver about its debug session: the session
// flag, the lines of the source view in front (screen rectangles, the
// caret and execution lines) and the watches of the Variable bar.
#pragma once

// Adds the report to the layer's test hook; the first call only.
void AddDebugStateReport();
