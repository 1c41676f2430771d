#pragma once
// The plain value types of the grid's interface: the integer widths its
// callers and records rely on, the colour word with its "use the default"
// value, and the font description.

#include "platform/dc.h"

#include <cstdint>

using UINT = unsigned int;
using DWORD = std::uint32_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using platform::CLR_DEFAULT;
using platform::COLORREF;
using LOGFONT = platform::LogFont;
