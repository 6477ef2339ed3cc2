#include "app/openingsize.h"

#include <QHeaderView>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableView>

namespace OpeningSize {

namespace {
// The outer size that shows every row and column of the table.
QSize wholeTable(const QTableView &view)
{
    const QHeaderView *across = view.horizontalHeader();
    const QHeaderView *down = view.verticalHeader();
    const int frame = 2 * view.frameWidth();
    int width = frame + across->length();
    int height = frame + down->length();
    if (!down->isHidden())
        width += down->sizeHint().width();
    if (!across->isHidden())
        height += across->sizeHint().height();
    // A bar that is always there takes its room whether it scrolls or not.
    if (view.horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
        height += view.horizontalScrollBar()->sizeHint().height();
    if (view.verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
        width += view.verticalScrollBar()->sizeHint().width();
    return {width, height};
}

// What one page asks: its contents' own size, plus what each table lacks of
// showing itself whole. The tables of a page stand one above the other, so
// their heights add up and the widest decides the width.
QSize pageAsks(const QWidget &page)
{
    const auto *area = qobject_cast<const QScrollArea *>(&page);
    const QWidget *contents = area ? area->widget() : &page;
    if (!contents)
        return page.sizeHint();
    QSize asked = contents->sizeHint();
    int moreWidth = 0;
    for (const QTableView *view : contents->findChildren<QTableView *>()) {
        if (!view->model() || !view->isVisibleTo(contents))
            continue;
        const QSize now = view->sizeHint().expandedTo(view->minimumSize()).boundedTo(view->maximumSize());
        const QSize whole = wholeTable(*view).boundedTo(view->maximumSize());
        asked.rheight() += qMax(0, whole.height() - now.height());
        moreWidth = qMax(moreWidth, whole.width() - now.width());
    }
    asked.rwidth() += moreWidth;
    if (area)
        asked += QSize(2 * area->frameWidth(), 2 * area->frameWidth());
    return asked;
}
} // namespace

QSize wanted(const QWidget &window, const QStackedWidget &pages)
{
    QSize asked;
    for (int i = 0; i < pages.count(); ++i)
        asked = asked.expandedTo(pageAsks(*pages.widget(i)));
    // The rest of the window (header strip, page buttons, footer) as it asks.
    const QSize hint = window.sizeHint();
    const QSize pagesHint = pages.sizeHint();
    return hint.expandedTo(hint - pagesHint + asked);
}

QRect placed(const QSize &wanted, const QSize &least, const QRect &available, const QMargins &frame)
{
    const QSize room = available.marginsRemoved(frame).size();
    // Never below what the window needs: the window system then keeps it in
    // view as best it can.
    const QSize size = wanted.boundedTo(room).expandedTo(least);
    QRect client(QPoint(0, 0), size);
    QRect outer = client.marginsAdded(frame);
    outer.moveCenter(available.center());
    client.moveTopLeft(outer.topLeft() + QPoint(frame.left(), frame.top()));
    return client;
}

} // namespace OpeningSize
