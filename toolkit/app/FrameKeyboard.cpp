#include "toolkit/app/FrameKeyboard.h"

#include "toolkit/app/Form.h"
#include "toolkit/app/SystemMenu.h"

#include <QApplication>
#include <QKeyEvent>

namespace {

TForm *FormOf(QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    return widget ? qobject_cast<TForm *>(widget->window()) : nullptr;
}

bool IsKey(const QKeyEvent &event, int key)
{
    return event.key() == key && (event.modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier;
}

bool CanTakeKeyboard(const TForm *form)
{
    return form && form->isVisible() && !form->isMinimized() && form->isEnabled();
}

} // namespace

TFrameKeyboard::TFrameKeyboard(TMainFormQuery mainForm, QObject *parent)
    : QObject(parent)
    , m_mainForm(std::move(mainForm))
{
    qApp->installEventFilter(this);
}

TFrameKeyboard::~TFrameKeyboard()
{
    qApp->removeEventFilter(this);
}

TForm *TFrameKeyboard::Opener(const TForm *form) const
{
    return m_openers.value(form).data();
}

bool TFrameKeyboard::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Claimed here, so that no control takes them as its own shortcut.
        const auto &key = static_cast<const QKeyEvent &>(*event);
        if (FormOf(watched) && (IsKey(key, Qt::Key_F4) || IsKey(key, Qt::Key_Space)))
            event->accept();
        break;
    }
    case QEvent::KeyPress: return WindowKey(watched, static_cast<const QKeyEvent &>(*event));
    case QEvent::Show:
        if (auto *form = qobject_cast<TForm *>(watched); form && !event->spontaneous())
            Shown(form);
        break;
    case QEvent::Hide:
        if (auto *form = qobject_cast<TForm *>(watched); form && !event->spontaneous())
            Hidden(form);
        break;
    default: break;
    }
    return false;
}

bool TFrameKeyboard::WindowKey(QObject *receiver, const QKeyEvent &event)
{
    TForm *form = FormOf(receiver);
    if (!form || event.isAutoRepeat())
        return false;
    if (IsKey(event, Qt::Key_F4)) {
        form->Close();
        return true;
    }
    if (IsKey(event, Qt::Key_Space)) {
        SystemMenu::Open(*form);
        return true;
    }
    return false;
}

void TFrameKeyboard::Shown(TForm *form)
{
    // Every showing replaces what an earlier form at the same address left.
    TForm *active = qobject_cast<TForm *>(QApplication::activeWindow());
    m_openers.insert(form, active != form ? active : nullptr);
}

void TFrameKeyboard::Hidden(TForm *form)
{
    QWidget *active = QApplication::activeWindow();
    if (active && active != form)
        return;
    // The chain of openers, nearest first, ends at the main form.
    TForm *next = Opener(form);
    for (int hops = 0; next && !CanTakeKeyboard(next) && hops < m_openers.size(); ++hops)
        next = Opener(next);
    if (!CanTakeKeyboard(next))
        next = m_mainForm ? m_mainForm() : nullptr;
    if (CanTakeKeyboard(next) && next != form)
        next->activateWindow();
}
