// The article edit fields around an article file load, with the box, the
// family and the file buttons' actions together as in the main window.
#include "params/articles/articlefamily.h"
#include "params/articles/articlesbox.h"
#include "params/common/exchangebuttons.h"
#include "widgets/filedialogs.h"
#include "params/departments/departmentfamily.h"
#include "tablefiles/tablefileactions.h"
#include "tablefiles/tablefilebuttons.h"
#include "support/familylink.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

ArticleRow article(const char *name, const char *barcode, const char *department, const char *price,
                   const char *tax, const char *quantity, const char *group)
{
    ArticleRow row;
    row.name = u(name);
    row.barcode = u(barcode);
    row.department = u(department);
    row.price = u(price);
    row.tax = u(tax);
    row.quantity = u(quantity);
    row.group = u(group);
    return row;
}

class ArticleFileLoad : public ::testing::TestWithParam<QChar>, protected FamilyLink {
protected:
    ArticleFileLoad() : FamilyLink(Regional::withDecimal(GetParam())) {}
    ArticleFamily family{ctx};
    DepartmentFamily departments{ctx};
    ExchangeButtons buttons;
    ArticlesBox box{family, buttons};
    TableFileActions actions{family, departments, ctx.regional};
    TableFileButtons files{actions, family, [] { return QStringLiteral("123456"); }, nullptr};
    QTemporaryDir dir;
    QString file;

    // Row 1 and row 4 differ in every field the edit controls show; the
    // file holds them, and the table then holds other rows 1 and 4.
    void SetUp() override
    {
        box.resize(900, 500);
        box.show();
        family.model().setRow(0, article("Хлеб", "8600000000011", "2", "45", "Д", "3", "5"));
        family.model().setRow(3, article("Со", "8600000000044", "7", "12", "Ж", "9", "11"));
        file = dir.filePath(QStringLiteral("ART_123456.CSV"));
        FileDialogs::answerNext(file);
        files.btnAFSaveClick();
        family.model().setRow(0, article("Старо", "1", "1", "1", "А", "1", "1"));
        family.model().setRow(3, article("Со", "8600000000044", "7", "12", "Ж", "9", "11"));
    }

    template <typename W>
    W *child(const char *name)
    {
        W *w = box.findChild<W *>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void clickRow(int row)
    {
        QTableView *view = box.table();
        const QModelIndex index = family.model().index(row, ArticleTableModel::Name);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualRect(index).center());
    }
    void load(const QString &path)
    {
        FileDialogs::answerNext(path);
        files.btnAFLoadClick();
    }
    void expectFieldsShowRowOne(const char *when)
    {
        EXPECT_EQ(child<QLineEdit>("edtArticleName")->text(), u("Хлеб")) << when;
        EXPECT_EQ(child<QLineEdit>("edtBarkod")->text(), u("8600000000011")) << when;
        EXPECT_EQ(child<QComboBox>("cbAStand")->currentText(), u("2")) << when;
        EXPECT_EQ(child<QLineEdit>("edtAPrice")->text(), u("45")) << when;
        EXPECT_EQ(child<QLineEdit>("EdtAKol")->text(), u("3")) << when;
        EXPECT_EQ(child<QComboBox>("CB_AGrupa")->currentText(), u("5")) << when;
        EXPECT_EQ(child<QComboBox>("cbATG")->currentText(), u("Д")) << when;
    }
};

std::string separatorName(const ::testing::TestParamInfo<QChar> &info)
{
    return info.param == QLatin1Char(',') ? "comma" : "point";
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Regional, ArticleFileLoad, ::testing::Values(QChar(','), QChar('.')), separatorName);

TEST_P(ArticleFileLoad, AfterALoadEveryEditFieldShowsRowOne)
{
    clickRow(3);
    ASSERT_EQ(child<QLineEdit>("edtBarkod")->text(), u("8600000000044"));
    load(file);
    EXPECT_EQ(box.table()->currentIndex(), family.model().index(0, ArticleTableModel::Name));
    expectFieldsShowRowOne("after the load");

    // The correction straight after the load leaves row 1 as loaded.
    const ArticleRow loaded = family.model().row(0);
    QTest::mouseClick(child<QPushButton>("btnACor"), Qt::LeftButton);
    EXPECT_EQ(family.model().row(0), loaded);
}

TEST_P(ArticleFileLoad, RowFourThenLoadThenClickRowOneAndCorrectKeepsRowOnesBarcode)
{
    clickRow(3);
    load(file);
    clickRow(0);
    QTest::mouseClick(child<QPushButton>("btnACor"), Qt::LeftButton);
    EXPECT_EQ(family.model().row(0).barcode, u("8600000000011"));
    EXPECT_EQ(family.model().row(3).barcode, u("8600000000044"));
}

TEST_P(ArticleFileLoad, CancelledLoadStillShowsRowOneWhole)
{
    load(file);
    clickRow(3);
    load(QString());
    expectFieldsShowRowOne("after the cancelled dialog");
    EXPECT_EQ(family.currentRow(), 0);
}
