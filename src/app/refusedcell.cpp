#include "app/refusedcell.h"

#include "params/common/familybox.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QGroupBox>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QScrollArea>
#include <QTimer>

namespace RefusedCell {

namespace {
// The scroll area that is the table's page, if any.
QScrollArea *pageOf(QWidget *view)
{
    for (QWidget *w = view->parentWidget(); w; w = w->parentWidget())
        if (auto *area = qobject_cast<QScrollArea *>(w))
            return area;
    return nullptr;
}

// Scrolls the page so that the cell, already in the table's view, is in the
// page's view as well.
void revealInPage(QScrollArea *page, QAbstractItemView *view, const QModelIndex &index)
{
    if (!page->widget() || !page->widget()->isAncestorOf(view))
        return;
    const QRect cell = view->visualRect(index).intersected(view->viewport()->rect());
    if (cell.isEmpty())
        return;
    const QPoint centre = view->viewport()->mapTo(page->widget(), cell.center());
    page->ensureVisible(centre.x(), centre.y(), cell.width() / 2 + 2, cell.height() / 2 + 2);
}

// A page not shown now has no settled layout: the cell is revealed once the
// page shows, after its layout has run.
class RevealOnShow : public QObject {
public:
    RevealOnShow(QScrollArea *page, QAbstractItemView *view, const QModelIndex &index)
        : QObject(page), m_page(page), m_view(view), m_index(index)
    {
        page->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_page && event->type() == QEvent::Show) {
            m_page->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                if (m_view && m_index.isValid() && m_view->currentIndex() == m_index) {
                    m_view->scrollTo(m_index);
                    revealInPage(m_page, m_view, m_index);
                }
                deleteLater();
            });
        }
        return false;
    }

private:
    QScrollArea *m_page;
    QPointer<QAbstractItemView> m_view;
    QPersistentModelIndex m_index;
};
} // namespace

bool show(QWidget *root, const QString &family, int row, int column)
{
    QGroupBox *box = FamilyBox::find(root, family);
    auto *view = box ? box->findChild<QAbstractItemView *>() : nullptr;
    if (!view || !view->model())
        return false;
    const QModelIndex index = view->model()->index(row, column);
    if (!index.isValid())
        return false;
    view->setCurrentIndex(index);
    view->scrollTo(index);
    if (QScrollArea *page = pageOf(view)) {
        if (page->isVisible())
            revealInPage(page, view, index);
        else
            new RevealOnShow(page, view, index);
    }
    return true;
}

} // namespace RefusedCell
