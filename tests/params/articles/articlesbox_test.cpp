#include "params/articles/articlefamily.h"
#include "params/articles/articlesbox.h"
#include "params/common/exchangebuttons.h"
#include "support/familylink.h"
#include "support/namedchild.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

class ArticlesBoxTest : public ::testing::TestWithParam<QChar>, protected FamilyLink {
protected:
    ArticlesBoxTest() : FamilyLink(Regional::withDecimal(GetParam())) {}
    ArticleFamily family{ctx};
    ExchangeButtons buttons;
    ArticlesBox box{family, buttons};

    void SetUp() override
    {
        box.resize(900, 500);
        box.show();
        family.selectFirstRow();
    }

    template <typename W>
    W *child(const char *name) { return namedChild<W>(box, name); }
    QString s(const char *text) const { return u(text).replace(QLatin1Char(','), GetParam()); }

    // Types into the in-place editor of a cell and commits with Enter.
    void typeInCell(int row, int column, const QString &text)
    {
        QTableView *view = box.table();
        const QModelIndex index = family.model().index(row, column);
        view->setCurrentIndex(index);
        view->setFocus();
        QTest::keyClick(view, Qt::Key_F2);
        auto *editor = view->viewport()->findChild<QLineEdit *>();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        // Key by key, as typed; QTest::keyClicks knows no Cyrillic keys.
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QPointer<QLineEdit> open(editor);
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits on its next turn of the event loop.
        ASSERT_TRUE(QTest::qWaitFor([&] { return !open || !open->isVisible(); }, 2000));
    }
};

std::string separatorName(const ::testing::TestParamInfo<QChar> &info)
{
    return info.param == QLatin1Char(',') ? "comma" : "point";
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Regional, ArticlesBoxTest, ::testing::Values(QChar(','), QChar('.')), separatorName);

TEST_P(ArticlesBoxTest, ControlsCarryTheirNamesCaptionsAndLimits)
{
    EXPECT_EQ(box.objectName(), u("gbArticles"));
    EXPECT_EQ(box.title(), u(" Артикли : "));
    struct Caption {
        const char *name;
        const char *text;
    } labels[] = {{"Label18", "Назив артикла :"}, {"LabelBarkod", "Бар-код :"}, {"Label21", "Од."},
                  {"Label16", "Цена :"},          {"Label6", "П. Ст."},       {"LblAKolicina", "Кол."},
                  {"lblAGrupa", "Гр."}};
    for (const Caption &c : labels)
        if (QLabel *l = child<QLabel>(c.name)) {
            EXPECT_EQ(l->text(), u(c.text)) << c.name;
        }
    Caption buttonsCaptions[] = {{"btnACor", "Исправка"},          {"btnAFSave", "Снимање у фаjл"},
                                 {"btnAFLoad", "Читање из фаjла"}, {"BtnPretraga", "Тражи"},
                                 {"BtnTerminal", "Терминал"},      {"BitBtn1", ""},
                                 {"btnARead", "Читање из касе"},   {"btnAWrite", "Унос у касу"}};
    for (const Caption &c : buttonsCaptions)
        if (QPushButton *b = child<QPushButton>(c.name)) {
            EXPECT_EQ(b->text(), u(c.text)) << c.name;
        }
    EXPECT_FALSE(child<QPushButton>("BitBtn1")->icon().isNull());

    // Typing stops at the limit; a longer text put in by the program stays whole.
    struct Limit {
        const char *name;
        int limit;
    } limits[] = {{"edtArticleName", 36}, {"edtBarkod", 13}, {"edtAPrice", 10}};
    for (const Limit &l : limits) {
        QLineEdit *e = child<QLineEdit>(l.name);
        e->clear();
        QTest::keyClicks(e, QString(l.limit + 5, QLatin1Char('7')));
        EXPECT_EQ(e->text().size(), l.limit) << l.name;
        e->setText(QString(l.limit + 1, QLatin1Char('8')));
        EXPECT_EQ(e->text().size(), l.limit + 1) << l.name;
    }

    QComboBox *tax = child<QComboBox>("cbATG");
    ASSERT_EQ(tax->count(), 9);
    QStringList labelsInList;
    for (int i = 0; i < tax->count(); ++i)
        labelsInList << tax->itemText(i);
    EXPECT_EQ(labelsInList.join(QString()), u("АГДЂЕЖИJК"));
    EXPECT_EQ(tax->currentIndex(), 0);
    EXPECT_NE(qobject_cast<QStyledItemDelegate *>(tax->itemDelegate()), nullptr);
    EXPECT_FALSE(tax->isEditable());
    QComboBox *stand = child<QComboBox>("cbAStand");
    EXPECT_EQ(stand->count(), 8);
    EXPECT_EQ(stand->itemText(0), u("1"));
    EXPECT_EQ(stand->itemText(7), u("8"));
    QComboBox *group = child<QComboBox>("CB_AGrupa");
    EXPECT_EQ(group->count(), 13);
    EXPECT_EQ(group->itemText(12), u("12"));
}

TEST_P(ArticlesBoxTest, StartsOnRowOneWithItsEditFields)
{
    QTableView *view = child<QTableView>("sgArticles");
    EXPECT_EQ(view->currentIndex().row(), 0);
    EXPECT_EQ(view->currentIndex().column(), 1);
    EXPECT_EQ(child<QLineEdit>("edtArticleName")->text(), QString());
    EXPECT_EQ(child<QComboBox>("cbAStand")->currentText(), u("1"));
    EXPECT_EQ(child<QLineEdit>("edtAPrice")->text(), u("0"));
    EXPECT_EQ(child<QLineEdit>("EdtAKol")->text(), u("0"));
    EXPECT_EQ(view->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
}

TEST_P(ArticlesBoxTest, TypingInPlaceFollowsTheColumnRules)
{
    typeInCell(4, ArticleTableModel::Name, QString(40, QLatin1Char('x')));
    EXPECT_EQ(family.model().cell(4, ArticleTableModel::Name), QString(36, QLatin1Char('x')));
    typeInCell(4, ArticleTableModel::Tax, u("5"));
    EXPECT_EQ(family.model().cell(4, ArticleTableModel::Tax), u("Ж"));
    typeInCell(4, ArticleTableModel::Tax, u("ј"));
    EXPECT_EQ(family.model().cell(4, ArticleTableModel::Tax), u("J"));
    typeInCell(4, ArticleTableModel::Tax, u("Z"));
    EXPECT_EQ(family.model().cell(4, ArticleTableModel::Tax), QString());
    typeInCell(4, ArticleTableModel::Turnover, u("12"));
    EXPECT_EQ(family.model().cell(4, ArticleTableModel::Turnover), u("12"));
}

TEST_P(ArticlesBoxTest, SelectingARowFillsTheEditControls)
{
    ArticleRow row;
    row.name = u("Чоколада");
    row.barcode = u("08600123456789");
    row.department = u("8");
    row.price = s("99,9");
    row.tax = u("Ђ");
    row.quantity = u("-3");
    row.group = u("13");
    family.model().setRow(2500, row);
    QComboBox *group = child<QComboBox>("CB_AGrupa");
    group->setCurrentIndex(4);
    box.table()->setCurrentIndex(family.model().index(2500, 3));
    EXPECT_EQ(child<QLineEdit>("edtArticleName")->text(), u("Чоколада"));
    EXPECT_EQ(child<QLineEdit>("edtBarkod")->text(), u("08600123456789"));
    EXPECT_EQ(child<QLineEdit>("edtAPrice")->text(), s("99,9"));
    EXPECT_EQ(child<QLineEdit>("EdtAKol")->text(), u("-3"));
    EXPECT_EQ(child<QComboBox>("cbAStand")->currentIndex(), 7) << "department 8 is the last item";
    EXPECT_EQ(child<QComboBox>("cbATG")->currentIndex(), 3);
    EXPECT_EQ(group->currentIndex(), -1) << "group 13 selects no item";
}

TEST_P(ArticlesBoxTest, CorrectionButtonWritesTheSelectedRow)
{
    QSignalSpy messages(&family, &ParameterFamily::message);
    box.table()->setCurrentIndex(family.model().index(3999, 1));
    child<QLineEdit>("edtArticleName")->setText(u("Последњи"));
    child<QLineEdit>("edtAPrice")->setText(u("12.50"));
    child<QLineEdit>("EdtAKol")->setText(s("2,75"));
    child<QComboBox>("cbATG")->setCurrentIndex(7);
    child<QComboBox>("CB_AGrupa")->setCurrentIndex(12);
    child<QComboBox>("cbAStand")->setCurrentIndex(5);
    QTest::mouseClick(child<QPushButton>("btnACor"), Qt::LeftButton);
    EXPECT_EQ(messages.count(), 0);
    const ArticleRow &row = family.model().row(3999);
    EXPECT_EQ(row.name, u("Последњи"));
    EXPECT_EQ(row.price, s("12,5"));
    EXPECT_EQ(row.quantity, s("2,75"));
    EXPECT_EQ(row.tax, u("J"));
    EXPECT_EQ(row.group, u("12"));
    EXPECT_EQ(row.department, u("6"));

    child<QLineEdit>("edtAPrice")->setText(u("1000000000"));
    QTest::mouseClick(child<QPushButton>("btnACor"), Qt::LeftButton);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.at(0).at(1).toString(), u("Грешка у подацима"));
    EXPECT_EQ(family.model().row(3999).price, s("12,5"));
}

TEST_P(ArticlesBoxTest, ExchangeButtonsFollowThePort)
{
    QPushButton *read = child<QPushButton>("btnARead");
    QPushButton *write = child<QPushButton>("btnAWrite");
    EXPECT_FALSE(read->isEnabled());
    EXPECT_FALSE(write->isEnabled());
    buttons.setPortOpen(true);
    EXPECT_TRUE(read->isEnabled());
    EXPECT_TRUE(write->isEnabled()) << "the table can be written without a read first";
    buttons.setPortOpen(false);
    EXPECT_FALSE(write->isEnabled());
}

namespace {

// A click of the left mouse button on a cell, as the user makes it.
void clickCell(QTableView *view, const QModelIndex &index)
{
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualRect(index).center());
}

ArticleRow sampleRow(const char *name, const char *barcode, const char *department, const char *group)
{
    ArticleRow row;
    row.name = u(name);
    row.barcode = u(barcode);
    row.department = u(department);
    row.price = u("45");
    row.tax = u("Д");
    row.quantity = u("3");
    row.group = u(group);
    return row;
}

} // namespace

TEST_P(ArticlesBoxTest, ClickOnTheCurrentRowRefillsTheEditFieldsEveryTime)
{
    family.model().setRow(0, sampleRow("Хлеб", "8600000000011", "2", "5"));
    QTableView *view = box.table();
    ASSERT_EQ(view->currentIndex(), family.model().index(0, ArticleTableModel::Name));
    for (int attempt = 0; attempt < 2; ++attempt) {
        // The user changes the fields; a click on the row puts the row back.
        child<QLineEdit>("edtArticleName")->setText(u("нешто"));
        child<QLineEdit>("edtBarkod")->setText(u("999"));
        child<QComboBox>("cbAStand")->setCurrentIndex(7);
        child<QComboBox>("CB_AGrupa")->setCurrentIndex(0);
        clickCell(view, family.model().index(0, ArticleTableModel::Name));
        EXPECT_EQ(child<QLineEdit>("edtArticleName")->text(), u("Хлеб")) << attempt;
        EXPECT_EQ(child<QLineEdit>("edtBarkod")->text(), u("8600000000011")) << attempt;
        EXPECT_EQ(child<QComboBox>("cbAStand")->currentText(), u("2")) << attempt;
        EXPECT_EQ(child<QComboBox>("CB_AGrupa")->currentText(), u("5")) << attempt;
        EXPECT_EQ(child<QComboBox>("cbATG")->currentText(), u("Д")) << attempt;
    }
}

TEST_P(ArticlesBoxTest, EachClickOrKeyMoveSelectsOnceAndReportsItsConversionError)
{
    family.model().setRow(1, sampleRow("Млеко", "1", "x", "0"));
    QSignalSpy fills(&family, &ArticleFamily::editsFilled);
    QSignalSpy errors(&family, &ParameterFamily::programError);
    QTableView *view = box.table();

    // A click that moves the current cell selects its row once.
    clickCell(view, family.model().index(1, ArticleTableModel::Price));
    EXPECT_EQ(fills.count(), 1);
    EXPECT_EQ(errors.count(), 1) << "the department x is no whole number";
    EXPECT_EQ(child<QLineEdit>("edtArticleName")->text(), u("Млеко"));
    // A second click on the same cell selects it again, error included.
    clickCell(view, family.model().index(1, ArticleTableModel::Price));
    EXPECT_EQ(fills.count(), 2);
    EXPECT_EQ(errors.count(), 2);

    // The keyboard: each move of the current cell is a selection.
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(view->currentIndex().row(), 2);
    EXPECT_EQ(fills.count(), 3);
    EXPECT_EQ(child<QLineEdit>("edtArticleName")->text(), QString());
    EXPECT_EQ(family.currentRow(), 2);

    // Other buttons than the left one select nothing on the current row.
    QTest::mouseClick(view->viewport(), Qt::RightButton, Qt::NoModifier,
                      view->visualRect(view->currentIndex()).center());
    EXPECT_EQ(fills.count(), 3);
}

TEST_P(ArticlesBoxTest, EditFieldsFollowEveryChangeOfTheSelectedRow)
{
    QTableView *view = box.table();
    clickCell(view, family.model().index(6, ArticleTableModel::Name));
    ASSERT_EQ(family.currentRow(), 6);

    // Typed in place: the correction afterwards keeps the new name.
    typeInCell(6, ArticleTableModel::Name, u("Ново име"));
    EXPECT_EQ(child<QLineEdit>("edtArticleName")->text(), u("Ново име"));
    QTest::mouseClick(child<QPushButton>("btnACor"), Qt::LeftButton);
    EXPECT_EQ(family.model().row(6).name, u("Ново име"));

    // A change from elsewhere (a read, a load, an import) shows too.
    family.model().setRow(6, sampleRow("Из касе", "8600000000066", "4", "7"));
    EXPECT_EQ(child<QLineEdit>("edtArticleName")->text(), u("Из касе"));
    EXPECT_EQ(child<QLineEdit>("edtBarkod")->text(), u("8600000000066"));
    EXPECT_EQ(child<QComboBox>("cbAStand")->currentText(), u("4"));
    EXPECT_EQ(child<QComboBox>("CB_AGrupa")->currentText(), u("7"));
    // A change of another row leaves the fields alone.
    family.model().setRow(7, sampleRow("Друго", "1", "1", "1"));
    EXPECT_EQ(child<QLineEdit>("edtArticleName")->text(), u("Из касе"));
    // A cell that does not convert fills the texts and no error is reported:
    // the user did not select anything.
    QSignalSpy errors(&family, &ParameterFamily::programError);
    family.model().setCell(6, ArticleTableModel::Department, u("z"));
    family.model().setCell(6, ArticleTableModel::Name, u("Треће"));
    EXPECT_EQ(child<QLineEdit>("edtArticleName")->text(), u("Треће"));
    EXPECT_EQ(errors.count(), 0);
    // The whole table back to its defaults.
    family.model().resetToDefaults();
    EXPECT_EQ(child<QLineEdit>("edtArticleName")->text(), QString());
    EXPECT_EQ(child<QLineEdit>("edtBarkod")->text(), u("00000000000000"));
}
