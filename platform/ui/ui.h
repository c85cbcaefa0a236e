// Everything of platform/ui for the system's code.
#pragma once

#include "platform/ui/caret.h"
#include "platform/ui/dropfiles.h"
#include "platform/ui/gdi.h"
#include "platform/ui/imagelist.h"
#include "platform/ui/input.h"
#include "platform/ui/message.h"
#include "platform/ui/paint.h"
#include "platform/ui/resources.h"
#include "platform/ui/scrollbar.h"
#include "platform/ui/sysmetrics.h"
#include "platform/ui/window.h"
