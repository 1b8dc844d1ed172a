#include "toolkit/app/MessageBox.h"

#include "toolkit/app/MessageForm.h"

namespace {
TMessageBoxHook *activeHook = nullptr;
}

TMessageBoxHook::TMessageBoxHook(int answer)
    : TMessageBoxHook(Answer([answer](const TMessageBoxRequest &) { return answer; }))
{
}

TMessageBoxHook::TMessageBoxHook(Answer answer)
    : answer_(std::move(answer))
    , previous_(activeHook)
{
    activeHook = this;
}

TMessageBoxHook::TMessageBoxHook(TShowRealBoxes)
    : TMessageBoxHook(Answer())
{
}

TMessageBoxHook::~TMessageBoxHook()
{
    activeHook = previous_;
}

int MessageBox(const QString &text, const QString &caption, TMsgIcon icon, TMsgButtons buttons)
{
    const TMessageBoxRequest request{text, caption, icon, buttons};
    if (activeHook) {
        activeHook->requests_.push_back(request);
        if (activeHook->answer_)
            return activeHook->answer_(request);
    }
    TMessageForm box(request);
    const int answer = box.ShowModal();
    // A box with OK alone answers OK however it is closed.
    return buttons == TMsgButtons::OK ? IDOK : answer;
}

bool ConfirmDeleteRecord()
{
    return MessageBox(MsgText::DeleteRecordQuestion, MsgText::Confirm, TMsgIcon::Question,
                      TMsgButtons::OKCancel)
           == IDOK;
}
