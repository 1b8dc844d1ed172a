#pragma once

#include <QEvent>

#include <optional>
#include <string_view>

// The platform messages the program names, and what stands for each of them
// here. A watcher of a control's messages is an event filter on the control;
// the Qt event (or, where Qt has no event, the signal) in this table is what
// it watches for the message.

// Window messages.
constexpr int WM_DESTROY = 0x0002;
constexpr int WM_SETFOCUS = 0x0007;
constexpr int WM_KILLFOCUS = 0x0008;
constexpr int WM_PAINT = 0x000F;
constexpr int WM_CLOSE = 0x0010;
constexpr int WM_ERASEBKGND = 0x0014;
constexpr int WM_SHOWWINDOW = 0x0018;
constexpr int WM_WINDOWPOSCHANGED = 0x0047;
constexpr int WM_NCPAINT = 0x0085;
constexpr int EM_GETMODIFY = 0x00B8;
constexpr int BM_GETCHECK = 0x00F0;
constexpr int BM_SETCHECK = 0x00F1;
constexpr int BM_SETSTATE = 0x00F3;
constexpr int WM_KEYDOWN = 0x0100;
constexpr int WM_KEYUP = 0x0101;
constexpr int WM_CHAR = 0x0102;
constexpr int WM_MOUSEMOVE = 0x0200;
constexpr int WM_LBUTTONDOWN = 0x0201;
constexpr int WM_LBUTTONUP = 0x0202;
constexpr int WM_LBUTTONDBLCLK = 0x0203;

// The widget toolkit's own notifications.
constexpr int CM_FOCUSCHANGED = 0xB007;
constexpr int CM_PARENTCOLORCHANGED = 0xB009;
constexpr int CM_ENABLEDCHANGED = 0xB00C;
constexpr int CM_CTL3DCHANGED = 0xB010;
constexpr int CM_PARENTCTL3DCHANGED = 0xB011;
constexpr int CM_TEXTCHANGED = 0xB012;
constexpr int CM_MOUSEENTER = 0xB013;
constexpr int CM_MOUSELEAVE = 0xB014;
constexpr int CM_EXIT = 0xB01B;
constexpr int CM_INVALIDATE = 0xB034;
constexpr int CN_COMMAND = 0xBE10;

// The program's private application messages (Qt's user range holds these
// very numbers): posted to the application object as custom events.
constexpr int FlatFrameItemMessage = 48307;
constexpr int FlatFrameWindowMessage = 48308;
constexpr QEvent::Type kFlatFrameItemEvent = QEvent::Type(FlatFrameItemMessage);
constexpr QEvent::Type kFlatFrameWindowEvent = QEvent::Type(FlatFrameWindowMessage);

struct TPlatformMessage {
    int message;
    std::string_view name;
    // QEvent::None where the message has no event of its own here.
    QEvent::Type event;
    // Where Qt tells it otherwise, or how the toolkit provides it.
    std::string_view stands;
};

inline constexpr TPlatformMessage kPlatformMessages[] = {
    {WM_DESTROY, "WM_DESTROY", QEvent::None,
     "QObject::destroyed: a control's object goes with its window; Qt re-creates no window of a living control"},
    {WM_SETFOCUS, "WM_SETFOCUS", QEvent::FocusIn, ""},
    {WM_KILLFOCUS, "WM_KILLFOCUS", QEvent::FocusOut, ""},
    {WM_PAINT, "WM_PAINT", QEvent::Paint, "the filter renders the control off-screen, paints over it, copies it"},
    {WM_CLOSE, "WM_CLOSE", QEvent::Close, "TForm::Close"},
    {WM_ERASEBKGND, "WM_ERASEBKGND", QEvent::None,
     "no separate erase: a widget without autoFillBackground erases nothing"},
    {WM_SHOWWINDOW, "WM_SHOWWINDOW", QEvent::Show, "QEvent::Hide when the window hides"},
    {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED", QEvent::Move, "QEvent::Resize for a change of size"},
    {WM_NCPAINT, "WM_NCPAINT", QEvent::Paint,
     "the paint of a TForm itself (its frame); the WMNCPaint handler gets a canvas over the window"},
    {EM_GETMODIFY, "EM_GETMODIFY", QEvent::None, "QLineEdit::isModified"},
    {BM_GETCHECK, "BM_GETCHECK", QEvent::None, "QAbstractButton::isChecked"},
    {BM_SETCHECK, "BM_SETCHECK", QEvent::None, "QAbstractButton::toggled"},
    {BM_SETSTATE, "BM_SETSTATE", QEvent::None, "QAbstractButton::pressed and released"},
    {WM_KEYDOWN, "WM_KEYDOWN", QEvent::KeyPress, ""},
    {WM_KEYUP, "WM_KEYUP", QEvent::KeyRelease, ""},
    {WM_CHAR, "WM_CHAR", QEvent::KeyPress, "the first character of QKeyEvent::text"},
    {WM_MOUSEMOVE, "WM_MOUSEMOVE", QEvent::MouseMove, "widgets that watch it turn on mouse tracking"},
    {WM_LBUTTONDOWN, "WM_LBUTTONDOWN", QEvent::MouseButtonPress, "with Qt::LeftButton"},
    {WM_LBUTTONUP, "WM_LBUTTONUP", QEvent::MouseButtonRelease, "with Qt::LeftButton"},
    {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK", QEvent::MouseButtonDblClick, "with Qt::LeftButton"},
    {CM_FOCUSCHANGED, "CM_FOCUSCHANGED", QEvent::None, "QApplication::focusChanged"},
    {CM_PARENTCOLORCHANGED, "CM_PARENTCOLORCHANGED", QEvent::PaletteChange, ""},
    {CM_ENABLEDCHANGED, "CM_ENABLEDCHANGED", QEvent::EnabledChange, ""},
    {CM_CTL3DCHANGED, "CM_CTL3DCHANGED", QEvent::None,
     "TStandardControl::SetCtl3D, which re-creates nothing; the skin's painters mark it themselves"},
    {CM_PARENTCTL3DCHANGED, "CM_PARENTCTL3DCHANGED", QEvent::None, "as CM_CTL3DCHANGED"},
    {CM_TEXTCHANGED, "CM_TEXTCHANGED", QEvent::None, "the control's textChanged signal"},
    {CM_MOUSEENTER, "CM_MOUSEENTER", QEvent::Enter, ""},
    {CM_MOUSELEAVE, "CM_MOUSELEAVE", QEvent::Leave, ""},
    {CM_EXIT, "CM_EXIT", QEvent::FocusOut, "with a focus reason other than Qt::ActiveWindowFocusReason"},
    {CM_INVALIDATE, "CM_INVALIDATE", QEvent::None, "QWidget::update"},
    {CN_COMMAND, "CN_COMMAND", QEvent::None, "the control's own signals (clicked, textChanged, ...)"},
    {FlatFrameItemMessage, "FlatFrameItemMessage", kFlatFrameItemEvent, "posted to the application object"},
    {FlatFrameWindowMessage, "FlatFrameWindowMessage", kFlatFrameWindowEvent, "posted to the application object"},
};

// The entry of a message, if the program names it.
constexpr std::optional<TPlatformMessage> FindPlatformMessage(int message)
{
    for (const TPlatformMessage &entry : kPlatformMessages) {
        if (entry.message == message)
            return entry;
    }
    return std::nullopt;
}

// The Qt event that stands for a message; QEvent::None when a signal does.
constexpr QEvent::Type QtEventFor(int message)
{
    const auto entry = FindPlatformMessage(message);
    return entry ? entry->event : QEvent::None;
}

static_assert(FlatFrameItemMessage >= QEvent::User && FlatFrameWindowMessage <= QEvent::MaxUser,
              "the private messages must be custom Qt events");

constexpr bool EveryMessageNamedOnce()
{
    for (std::size_t i = 0; i < std::size(kPlatformMessages); ++i)
        for (std::size_t j = i + 1; j < std::size(kPlatformMessages); ++j)
            if (kPlatformMessages[i].message == kPlatformMessages[j].message)
                return false;
    return true;
}
static_assert(EveryMessageNamedOnce());
