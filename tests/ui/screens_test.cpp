// The main window's layout: what a person sees at 1366×768 and at a
// maximised 1920×1080, with the desktop's font and palette. Built twice: at
// scale 1 and at QT_SCALE_FACTOR 1.25 (screens_scale.cpp).
#include "support/windowrig.h"
#include "app/mainwindow.h"
#include "app/messagedialog.h"
#include "app/uistyle.h"
#include "params/articles/articlefamily.h"
#include "params/departments/departmentfamily.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The screen in logical pixels: 1366×768 less a 40-pixel panel, divided by
// the scale factor the executable runs with.
QSize smallScreen()
{
    const double scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
    return QSize(int(1366 / scale), int(728 / scale));
}

class Screens : public ::testing::Test {
protected:
    Screens()
    {
        window = windowWithScriptedDialog(MainWindowOptions{}, dialog);
        window->show();
        settle();
    }
    template <typename T = QWidget>
    T *find(const char *name) const
    {
        T *w = window->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }
    void resize(const QSize &size)
    {
        window->resize(size);
        settle();
    }
    void showPage(int index)
    {
        const char *buttons[] = {"btPage1", "btPage2", "btPage3"};
        find<QAbstractButton>(buttons[index])->click();
        settle();
    }
    QWidget *currentPage() const { return find<QStackedWidget>("Page")->currentWidget(); }

    std::unique_ptr<MainWindow> window;
    MessageDialog *dialog;
};

// Scrolls the page so that the control's bottom right corner is in view
// (QScrollArea::ensureWidgetVisible aims at a table's current cell).
void scrollToShow(QScrollArea *area, QWidget *control)
{
    const QPoint at = control->mapTo(area->widget(), QPoint(0, 0));
    QScrollBar *across = area->horizontalScrollBar();
    QScrollBar *down = area->verticalScrollBar();
    across->setValue(qBound(0, at.x() + control->width() - area->viewport()->width(), across->maximum()));
    down->setValue(qBound(0, at.y() + control->height() - area->viewport()->height(), down->maximum()));
    QApplication::processEvents();
}

int columnsWidth(const QTableView *view)
{
    int sum = 0;
    for (int c = 0; c < view->model()->columnCount(); ++c)
        sum += view->columnWidth(c);
    return sum;
}

TEST_F(Screens, NameColumnsTakeTheSpareWidthOfAMaximisedWindow)
{
    resize(QSize(1920, 1050));
    showPage(1);
    for (const char *name : {"sgArticles", "SgPodgrupe"}) {
        auto *view = find<QTableView>(name);
        // The columns fill the table, and the table the window.
        EXPECT_EQ(columnsWidth(view), view->viewport()->width()) << name;
        EXPECT_GT(view->width(), window->width() * 9 / 10) << name;
        // The name column took what the others left.
        const int name_ = 1;
        for (int c = 0; c < view->model()->columnCount(); ++c) {
            if (c != name_) {
                EXPECT_GT(view->columnWidth(name_), view->columnWidth(c)) << name << " column " << c;
            }
        }
        EXPECT_GT(view->columnWidth(name_), 600) << name;
    }
}

TEST_F(Screens, AllEightDepartmentsShowAndTheArticlesTakeTheRest)
{
    for (const QSize size : {smallScreen(), QSize(1920, 1050)}) {
        resize(size);
        showPage(1);
        auto *departments = find<QTableView>("SgPodgrupe");
        EXPECT_LE(departments->rowViewportPosition(7) + departments->rowHeight(7), departments->viewport()->height())
            << size.width();
        EXPECT_EQ(departments->rowViewportPosition(0), 0);
        auto *articles = find<QTableView>("sgArticles");
        EXPECT_GE(articles->viewport()->height(), 5 * articles->rowHeight(0)) << size.width();
    }
    // A taller window goes to the articles, not to the departments.
    resize(smallScreen());
    const int departmentsHeight = find<QTableView>("SgPodgrupe")->height();
    const int articlesHeight = find<QTableView>("sgArticles")->height();
    resize(QSize(1920, 1050));
    EXPECT_EQ(find<QTableView>("SgPodgrupe")->height(), departmentsHeight);
    EXPECT_GT(find<QTableView>("sgArticles")->height(), articlesHeight + 200);
}

// Every header section, grid heading, label, button and group box caption
// on every page is wide enough for its text at the default size.
TEST_F(Screens, NoHeaderOrCaptionIsClippedAtTheDefaultSize)
{
    for (int page = 0; page < 3; ++page) {
        showPage(page);
        for (QTableView *view : currentPage()->findChildren<QTableView *>()) {
            const QHeaderView *header = view->horizontalHeader();
            for (int c = 0; c < view->model()->columnCount(); ++c) {
                const QString heading = header->isHidden()
                                            ? view->model()->index(0, c).data().toString()
                                            : view->model()->headerData(c, Qt::Horizontal).toString();
                const int needed = header->isHidden() ? view->fontMetrics().horizontalAdvance(heading)
                                                      : header->fontMetrics().horizontalAdvance(heading);
                EXPECT_LE(needed + 4, header->sectionSize(c))
                    << view->objectName().toStdString() << " " << heading.toStdString();
            }
        }
        for (QLabel *label : currentPage()->findChildren<QLabel *>()) {
            if (!label->isVisibleTo(window.get()) || label->text().isEmpty() || label->wordWrap())
                continue;
            EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
                << label->objectName().toStdString();
        }
        for (QAbstractButton *button : currentPage()->findChildren<QAbstractButton *>()) {
            if (!button->isVisibleTo(window.get()) || button->text().isEmpty())
                continue;
            EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(button->text()))
                << button->objectName().toStdString();
        }
        for (QGroupBox *box : currentPage()->findChildren<QGroupBox *>())
            EXPECT_GE(box->width(), box->fontMetrics().horizontalAdvance(box->title()))
                << box->objectName().toStdString();
    }
}

TEST_F(Screens, TheWindowFitsASmallScreen)
{
    const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
    EXPECT_LE(least.width(), smallScreen().width());
    EXPECT_LE(least.height(), smallScreen().height());
    // It opens no larger than the screen it is on allows, or than it needs.
    const QSize room = window->screen()->availableGeometry().size().expandedTo(least);
    EXPECT_LE(window->width(), room.width());
    EXPECT_LE(window->height(), room.height());
}

// At the small screen's size every control of every page can be scrolled to
// and is shown whole, at least as large as it asks to be.
TEST_F(Screens, EveryControlIsReachableOnASmallScreen)
{
    resize(smallScreen());
    ASSERT_LE(window->width(), smallScreen().width());
    ASSERT_LE(window->height(), smallScreen().height());
    for (int page = 0; page < 3; ++page) {
        showPage(page);
        auto *area = qobject_cast<QScrollArea *>(currentPage());
        ASSERT_NE(area, nullptr) << page;
        QList<QWidget *> controls;
        for (QWidget *w : area->widget()->findChildren<QWidget *>())
            if (w->isVisibleTo(window.get())
                && (qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w)
                    || qobject_cast<QComboBox *>(w) || qobject_cast<QTableView *>(w)))
                controls << w;
        ASSERT_FALSE(controls.isEmpty());
        for (QWidget *control : controls) {
            if (qobject_cast<QLineEdit *>(control) && qobject_cast<QComboBox *>(control->parentWidget()))
                continue; // inside its combo box
            scrollToShow(area, control);
            const QRect shown(control->mapTo(area->viewport(), QPoint(0, 0)), control->size());
            EXPECT_TRUE(area->viewport()->rect().contains(shown))
                << control->objectName().toStdString() << " at " << shown.y() << "+" << shown.height() << " in "
                << area->viewport()->height() << " scroll " << area->verticalScrollBar()->value() << "/"
                << area->verticalScrollBar()->maximum() << " contents " << area->widget()->height();
            EXPECT_GE(control->height(), control->minimumSizeHint().height()) << control->objectName().toStdString();
        }
    }
    // The footer and the header strip stay in the window.
    for (const char *name : {"BtnOtkaz", "Status", "PBar", "btnClose", "btnCOM"}) {
        QWidget *w = find(name);
        if (w->isHidden())
            continue;
        const QRect inWindow(w->mapTo(window.get(), QPoint(0, 0)), w->size());
        EXPECT_TRUE(window->rect().contains(inWindow)) << name;
    }
}

// A refused record becomes the current cell of its table and is scrolled
// into view in the page as well, also when another page was shown then.
struct Refused {
    const char *family;
    const char *table;
    int page;
    int row;
    int column;
    bool fromOtherPage;
};

void PrintTo(const Refused &r, std::ostream *out) { *out << r.family << (r.fromOtherPage ? " from another page" : ""); }

class RefusedCellInView : public Screens, public ::testing::WithParamInterface<Refused> {};

TEST_P(RefusedCellInView, IsCurrentAndInThePage)
{
    const Refused &r = GetParam();
    window->articles().model().setCell(299, ArticleTableModel::Name, QStringLiteral("Ред 300"));
    resize(QSize(900, 480)); // the pages scroll
    showPage(r.fromOtherPage ? (r.page + 1) % 3 : r.page);
    emit window->session().recordRefused(QString::fromLatin1(r.family), r.row, r.column);
    showPage(r.page);
    auto *view = find<QTableView>(r.table);
    auto *page = qobject_cast<QScrollArea *>(currentPage());
    ASSERT_NE(page, nullptr);
    ASSERT_GT(page->verticalScrollBar()->maximum(), 0) << "a page that does not scroll proves nothing";
    const QModelIndex index = view->model()->index(r.row, r.column);
    EXPECT_EQ(view->currentIndex(), index);
    const QRect cell = view->visualRect(index);
    EXPECT_TRUE(view->viewport()->rect().contains(cell));
    const QRect inPage(view->viewport()->mapTo(page->viewport(), cell.topLeft()), cell.size());
    EXPECT_TRUE(page->viewport()->rect().contains(inPage))
        << inPage.y() << " in " << page->viewport()->height();
    if (QLatin1String(r.family) == QLatin1String("articles")) {
        EXPECT_EQ(find<QLineEdit>("edtArticleName")->text(), QStringLiteral("Ред 300"));
    }
}

INSTANTIATE_TEST_SUITE_P(Families, RefusedCellInView,
                         ::testing::Values(Refused{"articles", "sgArticles", 1, 299, 1, false},
                                           Refused{"articles", "sgArticles", 1, 299, 1, true},
                                           Refused{"operators", "SGOperateri", 2, 25, 1, false},
                                           Refused{"operators", "SGOperateri", 2, 25, 1, true}));

TEST(ScreenFont, FollowsTheDesktopTextSize)
{
    struct Case {
        double desktop;
        double expected;
    };
    for (const Case c : {Case{9, 8}, Case{10, 9}, Case{11, 10}, Case{12, 10.5}, Case{18, 16}}) {
        QFont desktop;
        desktop.setPointSizeF(c.desktop);
        const QFont font = UiStyle::baseFont(desktop);
        EXPECT_EQ(font.family(), QStringLiteral("Arial"));
        EXPECT_DOUBLE_EQ(font.pointSizeF(), c.expected) << c.desktop;
    }
}

TEST(ScreenColours, DataTextReadsOnDarkAndLightBackgrounds)
{
    for (const QColor background : {QColor(Qt::white), QColor(255, 255, 225), QColor(30, 30, 30), QColor(Qt::black),
                                    QColor(60, 60, 90)}) {
        const QColor text = UiStyle::dataText(background);
        EXPECT_GT(std::abs(text.lightnessF() - background.lightnessF()), 0.3) << background.name().toStdString();
    }
    EXPECT_EQ(UiStyle::dataText(QColor(255, 255, 225)), QColor(Qt::blue));
}

TEST(ScreenColours, DataFieldsReadOnADarkPalette)
{
    const QPalette before = QApplication::palette();
    QPalette dark = before;
    dark.setColor(QPalette::Window, QColor(40, 40, 40));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(25, 25, 25));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::ToolTipBase, QColor(50, 50, 50));
    dark.setColor(QPalette::ToolTipText, Qt::white);
    QApplication::setPalette(dark);
    {
        MainWindow window{MainWindowOptions{}};
        for (const char *name : {"EdtId", "lblNaslov"}) {
            auto *w = window.findChild<QWidget *>(QString::fromLatin1(name));
            ASSERT_NE(w, nullptr) << name;
            const bool field = qobject_cast<QLineEdit *>(w);
            const QColor text = w->palette().color(field ? QPalette::Text : QPalette::WindowText);
            const QColor back = w->palette().color(field ? QPalette::Base : QPalette::Window);
            EXPECT_GT(std::abs(text.lightnessF() - back.lightnessF()), 0.3) << name;
        }
    }
    QApplication::setPalette(before);
}

// Return or Enter in a field of the edit rows applies "Исправка".
TEST_F(Screens, EnterInTheEditRowsAppliesTheCorrection)
{
    showPage(1);
    window->departments().selectRow(0); // the row's values in the fields
    struct Case {
        const char *field;
        const char *table;
        int nameColumn;
        Qt::Key key;
    };
    for (const Case c : {Case{"EdtONaziv", "SgPodgrupe", 1, Qt::Key_Return}, Case{"EdtONaziv", "SgPodgrupe", 1, Qt::Key_Enter},
                         Case{"edtArticleName", "sgArticles", 1, Qt::Key_Return},
                         Case{"edtArticleName", "sgArticles", 1, Qt::Key_Enter}}) {
        auto *name = find<QLineEdit>(c.field);
        const QString text = QStringLiteral("Ново %1").arg(int(c.key) & 0xFF);
        name->setText(text);
        QAbstractItemModel *model = find<QTableView>(c.table)->model();
        ASSERT_NE(model->index(0, c.nameColumn).data().toString(), text);
        QTest::keyClick(name, c.key);
        EXPECT_EQ(model->index(0, c.nameColumn).data().toString(), text) << c.field;
        EXPECT_TRUE(dialog->history().isEmpty()) << dialog->history().value(0).second.toStdString();
    }
    // Enter in a list (not opened) applies too.
    auto *group = find<QComboBox>("CB_OGrupa");
    group->setCurrentIndex(3);
    QTest::keyClick(group, Qt::Key_Return);
    EXPECT_EQ(find<QTableView>("SgPodgrupe")->model()->index(0, 3).data().toString(), QStringLiteral("3"));
}

} // namespace
