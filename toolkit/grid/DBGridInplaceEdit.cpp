#include "toolkit/grid/DBGridInplaceEdit.h"

#include "toolkit/controls/LengthValidator.h"
#include "toolkit/grid/DBGrid.h"

#include <QKeyEvent>

namespace {

bool IsGridKey(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_F2: return true;
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Delete: return event.modifiers() & Qt::ControlModifier;
    default: return false;
    }
}

} // namespace

TDBGridInplaceEdit::TDBGridInplaceEdit(TDBGrid &grid)
    : QLineEdit(&grid)
    , m_grid(grid)
    , m_lengthValidator(new TLengthValidator(this))
{
    setMaxLength(kNoLengthLimit);
    setValidator(m_lengthValidator);
    setFrame(false);
    setTextMargins(0, 0, 0, 0);
    setContentsMargins(0, 0, 0, 0);
    hide();
}

qsizetype TDBGridInplaceEdit::LengthLimit() const
{
    return m_lengthValidator->Limit();
}

void TDBGridInplaceEdit::SetLengthLimit(qsizetype characters)
{
    m_lengthValidator->SetLimit(characters);
}

qsizetype TDBGridInplaceEdit::RefusedLength() const
{
    return m_lengthValidator->RefusedLength();
}

void TDBGridInplaceEdit::keyPressEvent(QKeyEvent *event)
{
    if (IsGridKey(*event) && m_grid.HandleKey(event->key(), event->modifiers(), event->text())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TDBGridInplaceEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    m_grid.FocusLeft();
}

bool TDBGridInplaceEdit::focusNextPrevChild(bool next)
{
    return (m_grid.Options() & dgTabs) ? false : QLineEdit::focusNextPrevChild(next);
}
