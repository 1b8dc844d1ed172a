#include "toolkit/app/Align.h"

#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace {

enum class Edge { Top, Bottom, Left, Right, Client, None };

Edge EdgeOf(const QWidget *control)
{
    const QString align = control->property("Align").toString();
    if (align == QLatin1String("alTop"))
        return Edge::Top;
    if (align == QLatin1String("alBottom"))
        return Edge::Bottom;
    if (align == QLatin1String("alLeft"))
        return Edge::Left;
    if (align == QLatin1String("alRight"))
        return Edge::Right;
    if (align == QLatin1String("alClient"))
        return Edge::Client;
    return Edge::None;
}

// Controls docked to one edge, nearest to that edge first.
std::vector<QWidget *> Docked(const QWidget *parent, Edge edge)
{
    std::vector<QWidget *> controls;
    for (QWidget *child : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow() && !child->isHidden() && EdgeOf(child) == edge)
            controls.push_back(child);
    std::stable_sort(controls.begin(), controls.end(), [edge](const QWidget *a, const QWidget *b) {
        switch (edge) {
        case Edge::Bottom: return a->geometry().bottom() > b->geometry().bottom();
        case Edge::Left: return a->x() < b->x();
        case Edge::Right: return a->geometry().right() > b->geometry().right();
        default: return a->y() < b->y();
        }
    });
    return controls;
}

} // namespace

void AlignControls(QWidget *parent)
{
    QRect free = parent->rect();
    // Top and bottom take the full width first, then left and right share
    // the height between them, as the classic docking does.
    for (QWidget *control : Docked(parent, Edge::Top)) {
        control->setGeometry(free.left(), free.top(), free.width(), control->height());
        free.setTop(free.top() + control->height());
    }
    for (QWidget *control : Docked(parent, Edge::Bottom)) {
        control->setGeometry(free.left(), free.bottom() + 1 - control->height(), free.width(), control->height());
        free.setBottom(free.bottom() - control->height());
    }
    for (QWidget *control : Docked(parent, Edge::Left)) {
        control->setGeometry(free.left(), free.top(), control->width(), std::max(free.height(), 0));
        free.setLeft(free.left() + control->width());
    }
    for (QWidget *control : Docked(parent, Edge::Right)) {
        control->setGeometry(free.right() + 1 - control->width(), free.top(), control->width(),
                             std::max(free.height(), 0));
        free.setRight(free.right() - control->width());
    }
    for (QWidget *control : Docked(parent, Edge::Client))
        control->setGeometry(free.left(), free.top(), std::max(free.width(), 0), std::max(free.height(), 0));
}
