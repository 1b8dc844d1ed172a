#pragma once

#include "toolkit/gdi/ColorValue.h"

#include <QPalette>

class QApplication;

// The one table of system colours, system metrics and system version that the
// whole program reads. It starts with the classic Windows 2000 scheme; tests
// may change single entries and restore the defaults afterwards.

// The RGB value of a system colour index; an unknown index gives black.
TColor GetSysColor(int index);
// A system colour given as the value takes that entry's current value.
void SetSysColor(int index, TColor rgb);

// Indices of the system metrics the program reads.
enum TSystemMetricIndex : int {
    SM_CXSCREEN = 0,
    SM_CYSCREEN = 1,
    SM_CXVSCROLL = 2,
    SM_CYHSCROLL = 3,
    SM_CYCAPTION = 4,
    SM_CXBORDER = 5,
    SM_CYBORDER = 6,
    SM_CXDLGFRAME = 7,
    SM_CYDLGFRAME = 8,
    SM_CYVTHUMB = 9,
    SM_CXHTHUMB = 10,
    SM_CXICON = 11,
    SM_CYICON = 12,
    SM_CXCURSOR = 13,
    SM_CYCURSOR = 14,
    SM_CYMENU = 15,
    SM_CYVSCROLL = 20,
    SM_CXHSCROLL = 21,
    SM_SWAPBUTTON = 23,
    SM_CXMIN = 28,
    SM_CYMIN = 29,
    SM_CXSIZE = 30,
    SM_CYSIZE = 31,
    SM_CXFRAME = 32,
    SM_CYFRAME = 33,
    SM_CXDOUBLECLK = 36,
    SM_CYDOUBLECLK = 37,
    SM_MENUDROPALIGNMENT = 40,
    SM_CXEDGE = 45,
    SM_CYEDGE = 46,
    SM_CXSMICON = 49,
    SM_CYSMICON = 50,
    SM_CYSMCAPTION = 51,
    SM_CXSMSIZE = 52,
    SM_CYSMSIZE = 53,
    SM_CXMENUSIZE = 54,
    SM_CYMENUSIZE = 55,
    SM_CXDRAG = 68,
    SM_CYDRAG = 69,
    SM_CXMENUCHECK = 71,
    SM_CYMENUCHECK = 72,
    SM_CXFOCUSBORDER = 83,
    SM_CYFOCUSBORDER = 84,
    SM_METRIC_COUNT = 85
};
constexpr int SM_CXFIXEDFRAME = SM_CXDLGFRAME;
constexpr int SM_CYFIXEDFRAME = SM_CYDLGFRAME;
constexpr int SM_CXSIZEFRAME = SM_CXFRAME;
constexpr int SM_CYSIZEFRAME = SM_CYFRAME;

// A metric's value; an unknown index gives 0. The screen size is the primary
// screen's unless a test has set it.
int GetSystemMetrics(int index);
void SetSystemMetric(int index, int value);

// The system version as the skin reads it once (NT 5.0 by default).
constexpr int VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr int VER_PLATFORM_WIN32_NT = 2;
struct TOSVersionInfo {
    int MajorVersion = 5;
    int MinorVersion = 0;
    int BuildNumber = 2195;
    int PlatformId = VER_PLATFORM_WIN32_NT;
};
TOSVersionInfo GetVersionEx();
void SetVersionInfo(const TOSVersionInfo &version);

// Bits per pixel of the screen (what the platform's device capabilities
// report); 32 by default.
int ScreenColorDepth();
void SetScreenColorDepth(int bitsPerPixel);

// Puts every colour, metric, version and depth back to the classic defaults.
void ResetSystemSettings();

// The application's Qt palette built from the system-colour table.
QPalette BuildApplicationPalette();

// Sets Qt's "Windows" style and the palette above on the application.
void InstallApplicationPalette();
