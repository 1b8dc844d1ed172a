#pragma once

#include "toolkit/app/MessageBoxTypes.h"

#include <QString>

#include <functional>
#include <vector>

// Shows a modal message box and returns the button pressed.
int MessageBox(const QString &text, const QString &caption, TMsgIcon icon = TMsgIcon::None,
               TMsgButtons buttons = TMsgButtons::OK);

// Whether a real message box is up: what it asks about must not change under it.
bool MessageBoxShowing();

// The toolkit's confirmation before a record is deleted ("Delete record?",
// OK and Cancel). Returns true when the user chose OK.
bool ConfirmDeleteRecord();

// While one exists, message boxes are not shown: each request is recorded and
// answered by the hook (tests answer boxes this way). Hooks nest; the newest
// one answers. A hook made with kShowRealBoxes records the request and lets
// the real modal box answer, so that a test can reach the box itself while an
// outer hook stands guard against boxes nobody expected.
class TMessageBoxHook
{
public:
    using Answer = std::function<int(const TMessageBoxRequest &)>;
    struct TShowRealBoxes { };
    static constexpr TShowRealBoxes kShowRealBoxes{};

    explicit TMessageBoxHook(int answer = IDOK);
    explicit TMessageBoxHook(Answer answer);
    explicit TMessageBoxHook(TShowRealBoxes);
    ~TMessageBoxHook();
    TMessageBoxHook(const TMessageBoxHook &) = delete;
    TMessageBoxHook &operator=(const TMessageBoxHook &) = delete;

    const std::vector<TMessageBoxRequest> &Requests() const { return m_requests; }
    int Count() const { return int(m_requests.size()); }

private:
    friend int MessageBox(const QString &, const QString &, TMsgIcon, TMsgButtons);

    Answer m_answer;
    std::vector<TMessageBoxRequest> m_requests;
    TMessageBoxHook *m_previous;
};
