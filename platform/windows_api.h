// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// <windows.h> without its min/max macros and rarely used parts, for the win32 platform
// code and its tests.

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif
