// Everything of platform/base.
#pragma once

#include "platform/base/windef.h"
#include "platform/base/winerror.h"
#include "platform/base/format.h"
#include "platform/base/cstring.h"
#include "platform/base/rect_api.h"
#include "platform/base/geometry.h"
#include "platform/base/afxdebug.h"
#include "platform/base/cobject.h"
#include "platform/base/afxexcept.h"
#include "platform/base/afxcoll.h"
#include "platform/base/winstring.h"
#include "platform/base/crtstring.h"
#include "platform/base/winuser.h"
