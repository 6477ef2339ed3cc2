// The main window as it opens on a 1366×768 and on a 1920×1080 screen (one
// executable each, openingscreen.cpp): as large as its pages ask and the
// screen allows, centred, the tables showing their rows without the page
// scrolling.
#include "support/windowrig.h"
#include "app/mainwindow.h"
#include "app/messagedialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableView>
#include <gtest/gtest.h>

namespace {

class Opening : public ::testing::Test {
protected:
    Opening()
    {
        window = windowWithScriptedDialog(MainWindowOptions{}, dialog);
        window->show();
        settle();
    }
    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }
    QScrollArea *showPage(int index)
    {
        const char *buttons[] = {"btPage1", "btPage2", "btPage3"};
        window->findChild<QAbstractButton *>(QString::fromLatin1(buttons[index]))->click();
        settle();
        return qobject_cast<QScrollArea *>(window->findChild<QStackedWidget *>(QStringLiteral("Page"))->currentWidget());
    }
    // Rows of the table wholly in view: in the table and in the page.
    static int rowsInView(QScrollArea *page, QTableView *view)
    {
        int shown = 0;
        for (int row = view->rowAt(0); row >= 0 && row < view->model()->rowCount(); ++row) {
            const QRect cell = view->visualRect(view->model()->index(row, 0));
            const QRect inPage(view->viewport()->mapTo(page->viewport(), cell.topLeft()), cell.size());
            if (!view->viewport()->rect().contains(cell) || !page->viewport()->rect().contains(inPage))
                break;
            ++shown;
        }
        return shown;
    }

    std::unique_ptr<MainWindow> window;
    MessageDialog *dialog = nullptr;
};

TEST_F(Opening, FillsTheScreenItCanAndStandsInItsMiddle)
{
    const QRect free = window->screen()->availableGeometry();
    const QRect outer = window->frameGeometry();
    EXPECT_TRUE(free.contains(outer)) << outer.width() << "x" << outer.height();
    EXPECT_LE((outer.center() - free.center()).manhattanLength(), 2);
    // The tables ask for more rows than any screen holds: the height is the screen's.
    EXPECT_EQ(outer.height(), free.height());
    EXPECT_GE(window->width(), 990);
}

struct TableInView {
    const char *table;
    int page;
    int leastRows;
};

void PrintTo(const TableInView &t, std::ostream *out) { *out << t.table; }

class RowsInView : public Opening, public ::testing::WithParamInterface<TableInView> {};

TEST_P(RowsInView, WithoutScrollingThePage)
{
    const TableInView &t = GetParam();
    QScrollArea *page = showPage(t.page);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->verticalScrollBar()->maximum(), 0) << "the page scrolls";
    auto *view = window->findChild<QTableView *>(QString::fromLatin1(t.table));
    ASSERT_NE(view, nullptr);
    EXPECT_GE(rowsInView(page, view), t.leastRows);
}

INSTANTIATE_TEST_SUITE_P(Tables, RowsInView,
                         ::testing::Values(TableInView{"sgArticles", 1, 15}, TableInView{"SgPodgrupe", 1, 8},
                                           TableInView{"SGOperateri", 2, 10}),
                         [](const ::testing::TestParamInfo<TableInView> &info) {
                             return std::string(info.param.table);
                         });

TEST_F(Opening, EveryDepartmentColumnShowsWithoutAScrollBar)
{
    QScrollArea *page = showPage(1);
    auto *view = window->findChild<QTableView *>(QStringLiteral("SgPodgrupe"));
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->horizontalScrollBar()->isVisible());
    EXPECT_LE(view->horizontalHeader()->length(), view->viewport()->width());
    EXPECT_EQ(page->horizontalScrollBar()->maximum(), 0);
}

} // namespace
