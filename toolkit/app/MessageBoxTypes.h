#pragma once

#include <QString>

// The kinds, answers and texts of message boxes, shared by the box function,
// its form and its icons.

enum class TMsgIcon { None, Information, Question, Error };
enum class TMsgButtons { OK, OKCancel };

// What a message box returns: the button pressed. Closing a box or pressing
// Escape answers Cancel, or OK when OK is its only button.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

struct TMessageBoxRequest {
    QString text;
    QString caption;
    TMsgIcon icon = TMsgIcon::None;
    TMsgButtons buttons = TMsgButtons::OK;
};

// The toolkit's own texts.
namespace MsgText {
inline const QString kOk = QStringLiteral("OK");
inline const QString kCancel = QStringLiteral("Cancel");
inline const QString kConfirm = QStringLiteral("Confirm");
inline const QString kDeleteRecordQuestion = QStringLiteral("Delete record?");
inline const QString kApplicationError = QStringLiteral("Application Error");
} // namespace MsgText
