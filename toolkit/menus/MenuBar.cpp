#include "toolkit/menus/MenuBar.h"
#include "toolkit/gdi/DeviceScale.h"

#include "toolkit/gdi/Canvas.h"
#include "toolkit/menus/MenuAccessibility.h"
#include "toolkit/menus/MenuBase.h"
#include "toolkit/menus/MenuOwnerDraw.h"
#include "toolkit/menus/MenuPainter.h"
#include "toolkit/menus/PopupMenuWindow.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QPainter>
#include <QScopedValueRollback>

namespace {

QChar KeyLetter(const QKeyEvent *event)
{
    if (!event->text().isEmpty())
        return event->text().at(0).toUpper();
    const int key = event->key();
    return key > 0 && key < 0x10000 ? QChar(key).toUpper() : QChar();
}

bool IsModifierKey(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta
           || key == Qt::Key_AltGr;
}

} // namespace

TMenuBar::TMenuBar(TMenu *menu, QWidget *parent)
    : QWidget(parent)
    , m_menu(menu)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setFixedHeight(kHeight);
    m_listenerId = m_menu->AddChangeListener([this](bool rebuild) {
        if (rebuild)
            Relayout();
        update();
    });
    qApp->installEventFilter(this);
    Relayout();
    InstallMenuAccessibility();
}

TMenuBar::~TMenuBar()
{
    qApp->removeEventFilter(this);
    m_menu->RemoveChangeListener(m_listenerId);
    delete m_popup.data();
}

TMenuItem *TMenuBar::TopItem(int index) const
{
    const TMenuItem *root = m_menu->Items();
    return index >= 0 && index < root->Count() ? root->Items(index) : nullptr;
}

QRect TMenuBar::ItemRect(int index) const
{
    return index >= 0 && index < static_cast<int>(ItemRects().size()) ? ItemRects()[index] : QRect();
}

int TMenuBar::ItemAt(const QPoint &pos) const
{
    for (int i = 0; i < static_cast<int>(ItemRects().size()); ++i)
        if (ItemRects()[i].contains(pos))
            return i;
    return -1;
}

TPopupMenuWindow *TMenuBar::OpenPopup() const
{
    return m_popup.data();
}

void TMenuBar::Relayout()
{
    m_itemRectsStale = true;
    const int count = m_menu->Items()->Count();
    if (m_hot >= count)
        m_hot = -1;
    if (m_selected >= count)
        ExitMenuMode();
}

// Measuring runs the items' own measure handlers, which are handed the bar.
const std::vector<QRect> &TMenuBar::ItemRects() const
{
    if (!m_itemRectsStale)
        return m_itemRects;
    m_itemRectsStale = false;
    const TMenuItem *root = m_menu->Items();
    m_itemRects.assign(static_cast<std::size_t>(root->Count()), QRect());
    QImage surface(1, 1, QImage::Format_RGB32);
    const bool rightToLeft = m_menu->IsRightToLeft();
    int x = rightToLeft ? width() : 0;
    for (int i = 0; i < root->Count(); ++i) {
        TMenuItem *item = root->Items(i);
        if (!item->Visible())
            continue;
        const QSize standard = TMenuPainter::MeasureBarItem(item->Face());
        const int itemWidth = TMenuOwnerDraw::Measure(const_cast<TMenuBar *>(this), *item, surface, standard).width();
        if (rightToLeft)
            x -= itemWidth;
        m_itemRects[static_cast<std::size_t>(i)] = QRect(x, 0, itemWidth, kHeight);
        if (!rightToLeft)
            x += itemWidth;
    }
    return m_itemRects;
}

void TMenuBar::paintEvent(QPaintEvent *)
{
    QImage surface = WidgetSurface(*this, size());
    const bool rightToLeft = m_menu->IsRightToLeft();
    std::vector<int> ownerDrawn;
    {
        TCanvas canvas(&surface);
        TMenuPainter::DrawBarBackground(canvas, TRect::FromQRect(rect()));
        for (int i = 0; i < static_cast<int>(ItemRects().size()); ++i) {
            if (ItemRects()[i].isEmpty())
                continue;
            TMenuItem *item = TopItem(i);
            if (TMenuOwnerDraw::DrawsItem(*item)) {
                ownerDrawn.push_back(i);
                continue;
            }
            // An open or keyboard-selected item wins over the item under the pointer.
            TBarItemLook look = TBarItemLook::Normal;
            if (i == m_selected)
                look = m_popup ? TBarItemLook::Pressed : TBarItemLook::Hot;
            else if (i == m_hot && !InMenuMode())
                look = TBarItemLook::Hot;
            TMenuPainter::DrawBarItem(canvas, item->Face(), TRect::FromQRect(ItemRects()[i]), look, rightToLeft);
        }
    }
    m_pointerItemAtPaint = ItemAt(mapFromGlobal(QCursor::pos()));
    for (const int i : ownerDrawn)
        TMenuOwnerDraw::Draw(this, *TopItem(i), surface, ItemRects()[i], i == m_selected);
    QPainter(this).drawImage(0, 0, surface);
}

void TMenuBar::resizeEvent(QResizeEvent *)
{
    Relayout();
}

void TMenuBar::SetHot(int index)
{
    if (index == m_hot)
        return;
    m_hot = index;
    update();
}

int TMenuBar::VisibleNeighbour(int from, int step) const
{
    const int count = static_cast<int>(ItemRects().size());
    for (int n = 1; n <= count; ++n) {
        const int i = ((from + step * n) % count + count) % count;
        if (!ItemRects()[i].isEmpty())
            return i;
    }
    return -1;
}

int TMenuBar::ItemWithAccelerator(QChar letter) const
{
    if (letter.isNull())
        return -1;
    for (int i = 0; i < static_cast<int>(ItemRects().size()); ++i)
        if (!ItemRects()[i].isEmpty() && TopItem(i)->Accelerator() == letter)
            return i;
    return -1;
}

void TMenuBar::EnterMenuMode()
{
    const int first = VisibleNeighbour(-1, 1);
    if (first < 0)
        return;
    m_hot = -1;
    grabKeyboard();
    SelectItem(first);
}

void TMenuBar::ExitMenuMode()
{
    const bool wasInMenuMode = InMenuMode();
    if (m_popup)
        ClosePopupFromBar();
    m_popup = nullptr;
    if (m_selected >= 0)
        releaseKeyboard();
    m_selected = -1;
    update();
    if (wasInMenuMode)
        NotifyMenuLeft(window());
}

void TMenuBar::SelectItem(int index)
{
    m_selected = index;
    update();
    NotifyMenuItemFocused(TopItem(index));
}

void TMenuBar::ClosePopupFromBar()
{
    const QScopedValueRollback closing(m_closingFromBar, true);
    m_popup->close();
}

void TMenuBar::OpenItem(int index, bool selectFirst)
{
    TMenuItem *item = TopItem(index);
    if (!item || ItemRect(index).isEmpty())
        return;
    if (m_popup) {
        ClosePopupFromBar();
        m_popup = nullptr;
    }
    if (!item->HasVisibleItems()) {
        ExitMenuMode();
        if (item->Enabled())
            m_menu->PostClick(item);
        return;
    }
    if (m_selected < 0)
        grabKeyboard();
    m_hot = -1;
    // A disabled item is highlighted but opens nothing.
    if (!item->Enabled()) {
        SelectItem(index);
        return;
    }
    m_selected = index;
    update();
    // The popup takes the keyboard while it is open.
    releaseKeyboard();
    auto *popup = new TPopupMenuWindow(m_menu, item, nullptr, this, this);
    m_popup = popup;
    const QRect rect = ItemRect(index);
    popup->ShowBelow(QRect(mapToGlobal(rect.topLeft()), rect.size()));
    if (selectFirst)
        popup->SelectFirst();
    else
        NotifyMenuItemFocused(item);
    update();
}

void TMenuBar::SelectNeighbour(int step, bool open)
{
    const int next = VisibleNeighbour(m_selected, step);
    if (next < 0)
        return;
    if (open) {
        OpenItem(next, true);
        return;
    }
    SelectItem(next);
}

void TMenuBar::TrackPopupMouse(const QPoint &globalPos)
{
    const int index = ItemAt(mapFromGlobal(globalPos));
    if (index < 0 || index == m_selected)
        return;
    const TMenuItem *item = TopItem(index);
    if (item->Enabled() && item->HasVisibleItems())
        OpenItem(index, false);
}

bool TMenuBar::PopupMousePress(const QPoint &globalPos)
{
    const QPoint pos = mapFromGlobal(globalPos);
    if (!rect().contains(pos))
        return false;
    const int index = ItemAt(pos);
    if (index < 0 || index == m_selected)
        ExitMenuMode();
    else
        OpenItem(index, false);
    return true;
}

void TMenuBar::PopupClosed(bool byEscape)
{
    if (m_closingFromBar)
        return;
    m_popup = nullptr;
    if (byEscape && m_selected >= 0) {
        grabKeyboard();
        SelectItem(m_selected);
        return;
    }
    m_selected = -1;
    update();
    NotifyMenuLeft(window());
}

void TMenuBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int index = ItemAt(event->position().toPoint());
    if (index < 0) {
        ExitMenuMode();
        return;
    }
    TMenuItem *item = TopItem(index);
    if (item->HasVisibleItems()) {
        OpenItem(index, false);
        return;
    }
    // An item without sub-items acts on release, over the same item.
    if (m_selected < 0)
        grabKeyboard();
    m_selected = index;
    update();
}

void TMenuBar::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_popup || m_selected < 0)
        return;
    TMenuItem *item = TopItem(m_selected);
    const bool over = ItemAt(event->position().toPoint()) == m_selected;
    ExitMenuMode();
    if (over && item->Enabled() && !item->HasVisibleItems())
        m_menu->PostClick(item);
}

void TMenuBar::mouseMoveEvent(QMouseEvent *event)
{
    const int index = ItemAt(event->position().toPoint());
    // One item is lit at a time: in menu mode the pointer takes the
    // keyboard's selection along instead of lighting a second item.
    if (InMenuMode() && !m_popup && index >= 0 && index != m_selected)
        SelectItem(index);
    SetHot(index);
    // m_hot may not have changed (after a menu closed under the pointer) while
    // an owner-drawn item's hot look has to follow the pointer elsewhere.
    if (index != m_pointerItemAtPaint)
        update();
}

void TMenuBar::leaveEvent(QEvent *)
{
    SetHot(-1);
    if (m_pointerItemAtPaint != -1)
        update();
}

void TMenuBar::keyPressEvent(QKeyEvent *event)
{
    if (!InMenuMode()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int forward = m_menu->IsRightToLeft() ? -1 : 1;
    switch (event->key()) {
    case Qt::Key_Left: SelectNeighbour(-forward, false); break;
    case Qt::Key_Right: SelectNeighbour(forward, false); break;
    case Qt::Key_Down:
    case Qt::Key_Up:
    case Qt::Key_Return:
    case Qt::Key_Enter: OpenItem(m_selected, true); break;
    case Qt::Key_Escape:
    case Qt::Key_F10: ExitMenuMode(); break;
    default:
        if (const int index = ItemWithAccelerator(KeyLetter(event)); index >= 0)
            OpenItem(index, true);
        break;
    }
}

bool TMenuBar::HandleWindowKey(QObject *receiver, QKeyEvent *event)
{
    const int key = event->key();
    if (event->type() == QEvent::KeyRelease) {
        if (key != Qt::Key_Alt || !m_altAlone || event->isAutoRepeat())
            return false;
        m_altAlone = false;
        if (InMenuMode())
            ExitMenuMode();
        else
            EnterMenuMode();
        return true;
    }
    if (key == Qt::Key_Alt) {
        if (!event->isAutoRepeat())
            m_altAlone = (event->modifiers() & ~Qt::AltModifier) == Qt::NoModifier;
        return false;
    }
    m_altAlone = false;
    if (receiver == this)
        return false; // the grabbed keyboard of menu mode: keyPressEvent
    if (IsModifierKey(key))
        return false;
    if (key == Qt::Key_F10 && event->modifiers() == Qt::NoModifier) {
        EnterMenuMode();
        return true;
    }
    if (event->modifiers() == Qt::AltModifier) {
        if (const int index = ItemWithAccelerator(KeyLetter(event)); index >= 0) {
            OpenItem(index, true);
            return true;
        }
    }
    return m_menu->DispatchShortCut(QKeySequence(event->keyCombination()));
}

bool TMenuBar::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        if (!watched->isWidgetType() || !isVisible())
            break;
        auto *widget = static_cast<QWidget *>(watched);
        if (widget->window() != window())
            break;
        // A key travels up the parent chain; act only on its first delivery.
        QWidget *first = QApplication::focusWidget();
        if (widget != this && widget != (first ? first : window()))
            break;
        if (HandleWindowKey(widget, static_cast<QKeyEvent *>(event)))
            return true;
        break;
    }
    case QEvent::MouseButtonPress: m_altAlone = false; break;
    case QEvent::WindowDeactivate:
        if (watched == window()) {
            m_altAlone = false;
            if (InMenuMode() && !m_popup)
                ExitMenuMode();
        }
        break;
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}
