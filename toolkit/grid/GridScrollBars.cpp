#include "toolkit/grid/GridScrollBars.h"

#include "toolkit/gdi/SystemColors.h"

#include <QScrollBar>

#include <algorithm>

TGridScrollBars::TGridScrollBars(QWidget &grid, TScrolledEvent onRowChosen, TScrolledEvent onLeftColChosen)
    : m_vert(new QScrollBar(Qt::Vertical, &grid))
    , m_horz(new QScrollBar(Qt::Horizontal, &grid))
{
    for (QScrollBar *bar : {m_vert, m_horz})
        bar->setFocusPolicy(Qt::NoFocus);
    m_horz->hide();
    connect(m_vert, &QScrollBar::valueChanged, this, [this, onRowChosen = std::move(onRowChosen)](int row) {
        if (!m_showingPosition)
            onRowChosen(row);
    });
    connect(m_horz, &QScrollBar::valueChanged, this, [this, onLeftColChosen = std::move(onLeftColChosen)](int col) {
        if (!m_showingPosition)
            onLeftColChosen(col);
    });
}

void TGridScrollBars::Place(const QRect &client, bool horzShown) const
{
    m_vert->setGeometry(client.left() + client.width(), client.top(), GetSystemMetrics(SM_CXVSCROLL), client.height());
    m_horz->setGeometry(client.left(), client.top() + client.height(), client.width(), GetSystemMetrics(SM_CYHSCROLL));
    m_horz->setVisible(horzShown);
}

void TGridScrollBars::ShowPosition(const std::optional<TRowRange> &rows, const TColumnRange &columns)
{
    m_showingPosition = true;
    if (rows) {
        m_vert->setRange(0, std::max(0, rows->Count - 1));
        m_vert->setPageStep(rows->PageRows);
        m_vert->setValue(std::max(0, rows->Current));
        m_vert->setEnabled(rows->Count > 1);
    } else {
        m_vert->setRange(0, 0);
        m_vert->setEnabled(false);
    }
    m_horz->setRange(columns.First, columns.MaxLeft);
    m_horz->setPageStep(std::max(1, columns.Page));
    m_horz->setValue(columns.Left);
    m_showingPosition = false;
}
