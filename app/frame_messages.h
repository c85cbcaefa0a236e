// The main frame's private messages: the debugger's and the build's, and
// the two the source views send.
#pragma once

#include "debugger/session/frame_messages.h"
#include "editor/view/sourcedebugport.h"
