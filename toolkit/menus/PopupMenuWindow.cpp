#include "toolkit/menus/PopupMenuWindow.h"
#include "toolkit/gdi/DeviceScale.h"

#include "toolkit/app/DeliveredDelete.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/menus/MenuAccessibility.h"
#include "toolkit/menus/MenuBase.h"
#include "toolkit/menus/MenuMetrics.h"
#include "toolkit/menus/MenuOwnerDraw.h"
#include "toolkit/menus/MenuPainter.h"
#include "toolkit/menus/PopupMenuHost.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace {

using M = TMenuMetrics;

bool Selectable(const TMenuItem *item)
{
    return !item->IsLine();
}

} // namespace

TPopupMenuWindow::TPopupMenuWindow(TMenu *menu, TMenuItem *parentItem, TPopupMenuWindow *parentPopup,
                                   TPopupMenuHost *host, QWidget *parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint)
    , m_menu(menu)
    , m_parentItem(parentItem)
    , m_parentPopup(parentPopup)
    , m_host(host)
{
    // A press that closes the menu is consumed, not passed to the window below.
    setAttribute(Qt::WA_NoMouseReplay);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // A window closed but not yet deleted may outlive its menu.
    connect(m_menu->Lifetime(), &QObject::destroyed, this, [this] {
        m_menu->RemoveChangeListener(m_listenerId);
        m_menu = nullptr;
        m_parentItem = nullptr;
        m_rows.clear();
        close();
    });
    m_listenerId = m_menu->AddChangeListener([this](bool rebuild) {
        if (!m_menu->Contains(m_parentItem)) {
            close();
            return;
        }
        if (rebuild)
            Relayout();
        update();
    });
    Relayout();
    InstallMenuAccessibility();
}

TPopupMenuWindow::~TPopupMenuWindow()
{
    if (m_menu)
        m_menu->RemoveChangeListener(m_listenerId);
}

TPopupMenuWindow *TPopupMenuWindow::WindowShowing(const TMenuItem *item)
{
    if (!item)
        return nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *window = qobject_cast<TPopupMenuWindow *>(widget);
        if (!window || !window->isVisible())
            continue;
        for (const Row &row : window->m_rows)
            if (row.Item == item)
                return window;
    }
    return nullptr;
}

QRect TPopupMenuWindow::ItemScreenRect(const TMenuItem *item)
{
    const TPopupMenuWindow *window = WindowShowing(item);
    if (!window)
        return {};
    for (const Row &row : window->m_rows)
        if (row.Item == item)
            return QRect(window->mapToGlobal(row.Rect.topLeft()), row.Rect.size());
    return {};
}

TPopupMenuWindow *TPopupMenuWindow::ChildPopup() const
{
    return m_child.data();
}

TMenuItem *TPopupMenuWindow::RowItem(int row) const
{
    return row >= 0 && row < RowCount() ? m_rows[static_cast<std::size_t>(row)].Item : nullptr;
}

QRect TPopupMenuWindow::RowRect(int row) const
{
    return row >= 0 && row < RowCount() ? m_rows[static_cast<std::size_t>(row)].Rect : QRect();
}

int TPopupMenuWindow::RowAt(const QPoint &pos) const
{
    for (int i = 0; i < RowCount(); ++i)
        if (m_rows[static_cast<std::size_t>(i)].Rect.contains(pos))
            return i;
    return -1;
}

bool TPopupMenuWindow::RightToLeft() const
{
    return m_menu && m_menu->IsRightToLeft();
}

void TPopupMenuWindow::Relayout()
{
    TMenuItem *selected = RowItem(m_selected);
    m_rows.clear();
    int widestGlyph = 0;
    for (int i = 0; i < m_parentItem->Count(); ++i) {
        TMenuItem *item = m_parentItem->Items(i);
        if (!item->Visible())
            continue;
        m_rows.push_back({item, QRect()});
        widestGlyph = std::max(widestGlyph, item->Glyph().width());
    }
    m_checkColumn = TMenuPainter::CheckColumnWidth(widestGlyph);

    QImage surface(1, 1, QImage::Format_RGB32);
    std::vector<QSize> sizes;
    int innerWidth = 0;
    for (const Row &row : m_rows) {
        const QSize standard = TMenuPainter::MeasurePopupItem(row.Item->Face(), m_checkColumn);
        sizes.push_back(TMenuOwnerDraw::Measure(this, *row.Item, surface, standard));
        innerWidth = std::max(innerWidth, sizes.back().width());
    }
    int y = M::kPopupFrame;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        m_rows[i].Rect = QRect(M::kPopupFrame, y, innerWidth, sizes[i].height());
        y += sizes[i].height();
    }
    setFixedSize(innerWidth + 2 * M::kPopupFrame, y + M::kPopupFrame);

    m_selected = -1;
    for (int i = 0; i < RowCount(); ++i)
        if (RowItem(i) == selected)
            m_selected = i;
}

void TPopupMenuWindow::paintEvent(QPaintEvent *)
{
    QPainter(this).drawImage(0, 0, PaintSurface());
}

QImage TPopupMenuWindow::PaintSurface()
{
    QImage surface = WidgetSurface(*this, size());
    std::vector<int> ownerDrawn;
    {
        TCanvas canvas(&surface);
        TMenuPainter::DrawPopupFrame(canvas, TRect::FromQRect(rect()));
        for (int i = 0; i < RowCount(); ++i) {
            const Row &row = m_rows[static_cast<std::size_t>(i)];
            if (TMenuOwnerDraw::DrawsItem(*row.Item))
                ownerDrawn.push_back(i);
            else
                TMenuPainter::DrawPopupItem(canvas, row.Item->Face(), TRect::FromQRect(row.Rect), i == m_selected,
                                            m_checkColumn, RightToLeft());
        }
    }
    for (const int i : ownerDrawn) {
        const Row &row = m_rows[static_cast<std::size_t>(i)];
        TMenuOwnerDraw::Draw(this, *row.Item, surface, row.Rect, i == m_selected);
        if (row.Item->HasVisibleItems()) {
            TCanvas canvas(&surface);
            TMenuPainter::DrawOwnerDrawnArrow(canvas, TRect::FromQRect(row.Rect), row.Item->Enabled(), RightToLeft());
        }
    }
    return surface;
}

void TPopupMenuWindow::PlaceOnScreen(QPoint topLeft, const QRect &avoid, bool horizontal)
{
    const QScreen *screen = QGuiApplication::screenAt(topLeft);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(topLeft, size());
    if (topLeft.x() + width() > area.right() + 1)
        topLeft.setX(horizontal ? avoid.left() - width() : area.right() + 1 - width());
    if (topLeft.y() + height() > area.bottom() + 1)
        topLeft.setY(horizontal ? area.bottom() + 1 - height() : avoid.top() - height());
    topLeft.setX(std::max(topLeft.x(), area.left()));
    topLeft.setY(std::max(topLeft.y(), area.top()));
    move(topLeft);
    show();
    NotifyPopupMenuShown(this, true);
}

void TPopupMenuWindow::ShowAt(const QPoint &globalPos)
{
    const QPoint topLeft = RightToLeft() ? globalPos - QPoint(width(), 0) : globalPos;
    PlaceOnScreen(topLeft, QRect(globalPos, QSize(1, 1)), false);
}

void TPopupMenuWindow::ShowBelow(const QRect &globalItem)
{
    const int x = RightToLeft() ? globalItem.right() + 1 - width() : globalItem.left();
    PlaceOnScreen(QPoint(x, globalItem.bottom() + 1), globalItem, false);
}

void TPopupMenuWindow::ShowBeside(const QRect &globalItem)
{
    // The new level overlaps the frame of the level it opens from.
    const int x = RightToLeft() ? globalItem.left() - width() : globalItem.right() + 1;
    PlaceOnScreen(QPoint(x, globalItem.top() - M::kPopupFrame), globalItem, true);
}

void TPopupMenuWindow::SelectRow(int row)
{
    if (row == m_selected)
        return;
    // Leaving the rows (over the frame or outside) keeps an open sub-menu's
    // item selected.
    if (row < 0 && m_child)
        return;
    if (m_child && RowItem(row) != m_child->ParentItem())
        CloseChild();
    m_selected = row;
    update();
    if (row >= 0)
        NotifyMenuItemFocused(RowItem(row));
}

void TPopupMenuWindow::SelectFirst()
{
    m_selected = -1;
    MoveSelection(1);
}

void TPopupMenuWindow::MoveSelection(int step)
{
    const int count = RowCount();
    int row = m_selected;
    for (int n = 0; n < count; ++n) {
        row = row < 0 ? (step > 0 ? 0 : count - 1) : ((row + step) % count + count) % count;
        if (Selectable(RowItem(row))) {
            SelectRow(row);
            return;
        }
    }
}

void TPopupMenuWindow::ActivateRow(int row, bool selectFirstOfChild)
{
    TMenuItem *item = RowItem(row);
    if (!item || item->IsLine())
        return;
    if (item->HasVisibleItems()) {
        if (item->Enabled())
            OpenChild(row, selectFirstOfChild);
        return;
    }
    if (!item->Enabled())
        return;
    TMenu *menu = m_menu;
    CloseChain();
    menu->PostClick(item);
}

void TPopupMenuWindow::OpenChild(int row, bool selectFirst)
{
    TMenuItem *item = RowItem(row);
    if (!item)
        return;
    if (m_child && m_child->ParentItem() == item) {
        if (selectFirst)
            m_child->SelectFirst();
        return;
    }
    CloseChild();
    m_selected = row;
    update();
    auto *child = new TPopupMenuWindow(m_menu, item, this, m_host, this);
    m_child = child;
    const QRect rect = RowRect(row);
    child->ShowBeside(QRect(mapToGlobal(rect.topLeft()), rect.size()));
    if (selectFirst)
        child->SelectFirst();
}

void TPopupMenuWindow::CloseChild()
{
    if (m_child)
        m_child->close();
    m_child = nullptr;
}

TPopupMenuWindow *TPopupMenuWindow::RootPopup()
{
    TPopupMenuWindow *level = this;
    while (level->m_parentPopup)
        level = level->m_parentPopup;
    return level;
}

void TPopupMenuWindow::CloseToParent()
{
    close();
    // The keyboard is back on the item whose sub-menu closed.
    NotifyMenuItemFocused(m_parentPopup->RowItem(m_parentPopup->m_selected));
}

void TPopupMenuWindow::CloseChain()
{
    RootPopup()->close();
}

TPopupMenuWindow *TPopupMenuWindow::LevelAt(const QPoint &globalPos)
{
    for (TPopupMenuWindow *level = this; level; level = level->m_parentPopup)
        if (level->isVisible() && level->geometry().contains(globalPos))
            return level;
    return nullptr;
}

void TPopupMenuWindow::HoverAt(const QPoint &globalPos)
{
    TPopupMenuWindow *level = LevelAt(globalPos);
    if (!level) {
        if (m_host)
            m_host->TrackPopupMouse(globalPos);
        SelectRow(-1);
        return;
    }
    const int row = level->RowAt(level->mapFromGlobal(globalPos));
    TMenuItem *item = level->RowItem(row);
    if (!item || item->IsLine()) {
        level->SelectRow(-1);
        return;
    }
    level->SelectRow(row);
    if (item->Enabled() && item->HasVisibleItems())
        level->OpenChild(row, false);
}

void TPopupMenuWindow::mouseMoveEvent(QMouseEvent *event)
{
    HoverAt(event->globalPosition().toPoint());
}

void TPopupMenuWindow::mousePressEvent(QMouseEvent *event)
{
    const QPoint global = event->globalPosition().toPoint();
    if (LevelAt(global)) {
        HoverAt(global);
        return;
    }
    if (m_host && m_host->PopupMousePress(global))
        return;
    CloseChain();
}

void TPopupMenuWindow::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint global = event->globalPosition().toPoint();
    TPopupMenuWindow *level = LevelAt(global);
    if (!level)
        return;
    level->ActivateRow(level->RowAt(level->mapFromGlobal(global)), false);
}

void TPopupMenuWindow::keyPressEvent(QKeyEvent *event)
{
    const int forward = RightToLeft() ? Qt::Key_Left : Qt::Key_Right;
    const int back = RightToLeft() ? Qt::Key_Right : Qt::Key_Left;
    const int key = event->key();
    if (key == Qt::Key_Down) {
        MoveSelection(1);
    } else if (key == Qt::Key_Up) {
        MoveSelection(-1);
    } else if (key == forward) {
        TMenuItem *item = RowItem(m_selected);
        if (item && item->Enabled() && item->HasVisibleItems())
            OpenChild(m_selected, true);
        else if (m_host)
            m_host->SelectNeighbour(RightToLeft() ? -1 : 1, true);
    } else if (key == back) {
        if (m_parentPopup)
            CloseToParent();
        else if (m_host)
            m_host->SelectNeighbour(RightToLeft() ? 1 : -1, true);
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        ActivateRow(m_selected, true);
    } else if (key == Qt::Key_Escape) {
        m_closedByEscape = true;
        if (m_parentPopup)
            CloseToParent();
        else
            close();
    } else if (key == Qt::Key_Alt || key == Qt::Key_F10) {
        if (m_host)
            m_host->ExitMenuMode();
        else
            CloseChain();
    } else {
        const QString text = event->text();
        const QChar letter = text.isEmpty() ? QChar() : text.at(0).toUpper();
        std::vector<int> matches;
        for (int i = 0; i < RowCount(); ++i)
            if (!letter.isNull() && RowItem(i)->Accelerator() == letter)
                matches.push_back(i);
        if (matches.size() == 1) {
            SelectRow(matches.front());
            ActivateRow(matches.front(), true);
        } else if (!matches.empty()) {
            const auto next = std::upper_bound(matches.begin(), matches.end(), m_selected);
            SelectRow(next == matches.end() ? matches.front() : *next);
        }
    }
}

void TPopupMenuWindow::closeEvent(QCloseEvent *event)
{
    CloseChild();
    NotifyPopupMenuShown(this, false);
    if (m_parentPopup) {
        m_parentPopup->m_child = nullptr;
    } else if (m_host) {
        m_host->PopupClosed(m_closedByEscape);
    } else if (parentWidget()) {
        NotifyMenuLeft(parentWidget()->window());
    }
    QWidget::closeEvent(event);
    emit Closed();
    DeleteWhenDelivered(*this);
}
