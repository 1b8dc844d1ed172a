#include "toolkit/app/MessageBox.h"

#include "toolkit/app/MessageForm.h"

namespace {
TMessageBoxHook *activeHook = nullptr;
int boxesShowing = 0;
} // namespace

TMessageBoxHook::TMessageBoxHook(int answer)
    : TMessageBoxHook(Answer([answer](const TMessageBoxRequest &) { return answer; }))
{ }

TMessageBoxHook::TMessageBoxHook(Answer answer)
    : m_answer(std::move(answer))
    , m_previous(activeHook)
{
    activeHook = this;
}

TMessageBoxHook::TMessageBoxHook(TShowRealBoxes)
    : TMessageBoxHook(Answer())
{ }

TMessageBoxHook::~TMessageBoxHook()
{
    activeHook = m_previous;
}

bool MessageBoxShowing()
{
    return boxesShowing > 0;
}

int MessageBox(const QString &text, const QString &caption, TMsgIcon icon, TMsgButtons buttons)
{
    const TMessageBoxRequest request{text, caption, icon, buttons};
    if (activeHook) {
        activeHook->m_requests.push_back(request);
        if (activeHook->m_answer)
            return activeHook->m_answer(request);
    }
    TMessageForm box(request);
    ++boxesShowing;
    const int answer = [&] {
        try {
            return box.ShowModal();
        } catch (...) {
            --boxesShowing;
            throw;
        }
    }();
    --boxesShowing;
    // A box with OK alone answers OK however it is closed.
    return buttons == TMsgButtons::OK ? IDOK : answer;
}

bool ConfirmDeleteRecord()
{
    return MessageBox(MsgText::kDeleteRecordQuestion, MsgText::kConfirm, TMsgIcon::Question, TMsgButtons::OKCancel)
           == IDOK;
}
