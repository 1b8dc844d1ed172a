#include "toolkit/gdi/SystemColors.h"

#include "toolkit/app/GuiApplication.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QStyleFactory>
#include <array>
#include <optional>

namespace {

using ColorTable = std::array<TColor, COLOR_COUNT>;
using MetricTable = std::array<int, SM_METRIC_COUNT>;

// The classic Windows 2000 scheme. Index 25 is unused by the platform.
constexpr ColorTable ClassicColors()
{
    ColorTable t{};
    t[COLOR_SCROLLBAR] = RGB(212, 208, 200);
    t[COLOR_BACKGROUND] = RGB(58, 110, 165);
    t[COLOR_ACTIVECAPTION] = RGB(10, 36, 106);
    t[COLOR_INACTIVECAPTION] = RGB(128, 128, 128);
    t[COLOR_MENU] = RGB(212, 208, 200);
    t[COLOR_WINDOW] = RGB(255, 255, 255);
    t[COLOR_WINDOWFRAME] = RGB(0, 0, 0);
    t[COLOR_MENUTEXT] = RGB(0, 0, 0);
    t[COLOR_WINDOWTEXT] = RGB(0, 0, 0);
    t[COLOR_CAPTIONTEXT] = RGB(255, 255, 255);
    t[COLOR_ACTIVEBORDER] = RGB(212, 208, 200);
    t[COLOR_INACTIVEBORDER] = RGB(212, 208, 200);
    t[COLOR_APPWORKSPACE] = RGB(128, 128, 128);
    t[COLOR_HIGHLIGHT] = RGB(10, 36, 106);
    t[COLOR_HIGHLIGHTTEXT] = RGB(255, 255, 255);
    t[COLOR_BTNFACE] = RGB(212, 208, 200);
    t[COLOR_BTNSHADOW] = RGB(128, 128, 128);
    t[COLOR_GRAYTEXT] = RGB(128, 128, 128);
    t[COLOR_BTNTEXT] = RGB(0, 0, 0);
    t[COLOR_INACTIVECAPTIONTEXT] = RGB(212, 208, 200);
    t[COLOR_BTNHIGHLIGHT] = RGB(255, 255, 255);
    t[COLOR_3DDKSHADOW] = RGB(64, 64, 64);
    t[COLOR_3DLIGHT] = RGB(212, 208, 200);
    t[COLOR_INFOTEXT] = RGB(0, 0, 0);
    t[COLOR_INFOBK] = RGB(255, 255, 225);
    t[COLOR_HOTLIGHT] = RGB(0, 0, 128);
    t[COLOR_GRADIENTACTIVECAPTION] = RGB(166, 202, 240);
    t[COLOR_GRADIENTINACTIVECAPTION] = RGB(192, 192, 192);
    t[COLOR_MENUHILIGHT] = RGB(10, 36, 106);
    t[COLOR_MENUBAR] = RGB(212, 208, 200);
    return t;
}

constexpr int kDefaultScreenWidth = 1024;
constexpr int kDefaultScreenHeight = 768;
constexpr int kDefaultColorDepth = 32;

// Classic metrics at 96 pixels per inch.
constexpr MetricTable ClassicMetrics()
{
    MetricTable t{};
    t[SM_CXSCREEN] = kDefaultScreenWidth;
    t[SM_CYSCREEN] = kDefaultScreenHeight;
    t[SM_CXVSCROLL] = 16;
    t[SM_CYHSCROLL] = 16;
    t[SM_CYCAPTION] = 19;
    t[SM_CXBORDER] = 1;
    t[SM_CYBORDER] = 1;
    t[SM_CXDLGFRAME] = 3;
    t[SM_CYDLGFRAME] = 3;
    t[SM_CYVTHUMB] = 16;
    t[SM_CXHTHUMB] = 16;
    t[SM_CXICON] = 32;
    t[SM_CYICON] = 32;
    t[SM_CXCURSOR] = 32;
    t[SM_CYCURSOR] = 32;
    t[SM_CYMENU] = 19;
    t[SM_CYVSCROLL] = 16;
    t[SM_CXHSCROLL] = 16;
    t[SM_CXMIN] = 112;
    t[SM_CYMIN] = 27;
    t[SM_CXSIZE] = 18;
    t[SM_CYSIZE] = 18;
    t[SM_CXFRAME] = 4;
    t[SM_CYFRAME] = 4;
    t[SM_CXDOUBLECLK] = 4;
    t[SM_CYDOUBLECLK] = 4;
    t[SM_CXEDGE] = 2;
    t[SM_CYEDGE] = 2;
    t[SM_CXSMICON] = 16;
    t[SM_CYSMICON] = 16;
    t[SM_CYSMCAPTION] = 16;
    t[SM_CXSMSIZE] = 12;
    t[SM_CYSMSIZE] = 15;
    t[SM_CXMENUSIZE] = 18;
    t[SM_CYMENUSIZE] = 18;
    t[SM_CXDRAG] = 4;
    t[SM_CYDRAG] = 4;
    t[SM_CXMENUCHECK] = 13;
    t[SM_CYMENUCHECK] = 13;
    t[SM_CXFOCUSBORDER] = 1;
    t[SM_CYFOCUSBORDER] = 1;
    return t;
}

struct SystemSettings {
    ColorTable colors = ClassicColors();
    MetricTable metrics = ClassicMetrics();
    // The screen size follows the real screen until a test sets it.
    bool screenSizeSet = false;
    TOSVersionInfo version;
    int colorDepth = kDefaultColorDepth;
};

SystemSettings &Settings()
{
    static SystemSettings settings;
    return settings;
}

bool ValidColorIndex(int index)
{
    return index >= 0 && index < COLOR_COUNT;
}

bool ValidMetricIndex(int index)
{
    return index >= 0 && index < SM_METRIC_COUNT;
}

std::optional<QSize> PrimaryScreenSize()
{
    if (!GuiApplication())
        return std::nullopt;
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return std::nullopt;
    return screen->size();
}

} // namespace

TColor GetSysColor(int index)
{
    return ValidColorIndex(index) ? Settings().colors[index] : clBlack;
}

void SetSysColor(int index, TColor rgb)
{
    if (!ValidColorIndex(index))
        return;
    const TColor value = IsSystemColor(rgb) ? GetSysColor(SystemColorIndex(rgb)) : rgb;
    Settings().colors[index] = value & kRgbBits;
}

int GetSystemMetrics(int index)
{
    if (!ValidMetricIndex(index))
        return 0;
    const SystemSettings &s = Settings();
    if ((index == SM_CXSCREEN || index == SM_CYSCREEN) && !s.screenSizeSet) {
        if (const auto size = PrimaryScreenSize())
            return index == SM_CXSCREEN ? size->width() : size->height();
    }
    return s.metrics[index];
}

void SetSystemMetric(int index, int value)
{
    if (!ValidMetricIndex(index))
        return;
    Settings().metrics[index] = value;
    if (index == SM_CXSCREEN || index == SM_CYSCREEN)
        Settings().screenSizeSet = true;
}

TOSVersionInfo GetVersionEx()
{
    return Settings().version;
}

void SetVersionInfo(const TOSVersionInfo &version)
{
    Settings().version = version;
}

int ScreenColorDepth()
{
    return Settings().colorDepth;
}

void SetScreenColorDepth(int bitsPerPixel)
{
    Settings().colorDepth = bitsPerPixel;
}

void ResetSystemSettings()
{
    Settings() = SystemSettings{};
}

QPalette BuildApplicationPalette()
{
    const auto color = [](int index) {
        const TColor rgb = GetSysColor(index);
        return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
    };
    QPalette p;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Window, color(COLOR_BTNFACE));
        p.setColor(group, QPalette::WindowText, color(COLOR_WINDOWTEXT));
        p.setColor(group, QPalette::Base, color(COLOR_WINDOW));
        p.setColor(group, QPalette::AlternateBase, color(COLOR_BTNFACE));
        p.setColor(group, QPalette::Text, color(COLOR_WINDOWTEXT));
        p.setColor(group, QPalette::Button, color(COLOR_BTNFACE));
        p.setColor(group, QPalette::ButtonText, color(COLOR_BTNTEXT));
        p.setColor(group, QPalette::Light, color(COLOR_BTNHIGHLIGHT));
        p.setColor(group, QPalette::Midlight, color(COLOR_3DLIGHT));
        p.setColor(group, QPalette::Mid, color(COLOR_BTNSHADOW));
        p.setColor(group, QPalette::Dark, color(COLOR_BTNSHADOW));
        p.setColor(group, QPalette::Shadow, color(COLOR_3DDKSHADOW));
        p.setColor(group, QPalette::Highlight, color(COLOR_HIGHLIGHT));
        p.setColor(group, QPalette::HighlightedText, color(COLOR_HIGHLIGHTTEXT));
        p.setColor(group, QPalette::ToolTipBase, color(COLOR_INFOBK));
        p.setColor(group, QPalette::ToolTipText, color(COLOR_INFOTEXT));
        p.setColor(group, QPalette::PlaceholderText, color(COLOR_GRAYTEXT));
        p.setColor(group, QPalette::BrightText, color(COLOR_HIGHLIGHTTEXT));
        p.setColor(group, QPalette::Link, color(COLOR_HOTLIGHT));
    }
    // Disabled text is the grey text colour, as the classic scheme shows it.
    p.setColor(QPalette::Disabled, QPalette::WindowText, color(COLOR_GRAYTEXT));
    p.setColor(QPalette::Disabled, QPalette::Text, color(COLOR_GRAYTEXT));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, color(COLOR_GRAYTEXT));
    return p;
}

void InstallApplicationPalette()
{
    if (!qApp)
        return;
    if (QStyle *style = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(style);
    QApplication::setPalette(BuildApplicationPalette());
}
