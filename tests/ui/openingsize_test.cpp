// The main window as it opens on a 1366×768 and on a 1920×1080 screen (one
// executable each, openingscreen.cpp): as large as its pages ask and the
// screen allows, centred, the tables showing their rows without the page
// scrolling. VILARON_SCREENSHOT_DIR=dir keeps the pictures of each page.
#include "app/mainwindow.h"
#include "app/messagedialog.h"
#include "app/openingsize.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Opening : public ::testing::Test {
protected:
    Opening()
    {
        window = std::make_unique<MainWindow>(MainWindowOptions{});
        dialog = new MessageDialog(window.get());
        dialog->setNonBlocking(true);
        window->setMessageDialog(dialog);
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
                                           TableInView{"SGOperateri", 2, 10}, TableInView{"sgGrupe", 2, 14},
                                           TableInView{"sgTaxGroups", 0, 10}),
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

TEST_F(Opening, PicturesOfEachPage)
{
    QTemporaryDir scratch;
    QString dir = qEnvironmentVariable("VILARON_SCREENSHOT_DIR");
    if (dir.isEmpty())
        dir = scratch.path();
    QDir().mkpath(dir);
    const QSize screen = window->screen()->size();
    for (int page = 0; page < 3; ++page) {
        showPage(page);
        const QString path = QDir(dir).filePath(
            QStringLiteral("opening-%1x%2-page%3.png").arg(screen.width()).arg(screen.height()).arg(page + 1));
        EXPECT_TRUE(window->grab().save(path)) << path.toStdString();
    }
}

// The geometry itself: what the window asks, bounded by the free area less
// the frame, never below what it needs, centred.
struct Placing {
    QSize wanted, least;
    QRect available;
    QMargins frame;
    QRect client;
};

class Placed : public ::testing::TestWithParam<Placing> {};

TEST_P(Placed, WithinTheFreeAreaAndCentred)
{
    const Placing &p = GetParam();
    EXPECT_EQ(OpeningSize::placed(p.wanted, p.least, p.available, p.frame), p.client);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, Placed,
    ::testing::Values(
        // Asks more than the screen: the free area less the frame.
        Placing{{1800, 90000}, {700, 500}, {0, 0, 1366, 768}, {2, 30, 2, 2}, {2, 30, 1362, 736}},
        // Asks less: its own size, in the middle of the area below a panel.
        Placing{{1000, 600}, {700, 500}, {0, 40, 1920, 1040}, {0, 0, 0, 0}, {460, 260, 1000, 600}},
        // Needs more than there is: its least size, centred all the same.
        Placing{{900, 900}, {900, 700}, {0, 0, 800, 600}, {0, 0, 0, 0}, {-50, -50, 900, 700}}));

} // namespace
