// The import window over an article table: its controls, a file read and
// applied, and a damaged or wrong file refused with the table unchanged.
#include "import/importrig.h"

#include "import/importwindow.h"
#include "support/waituntil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

namespace {

class ImportWindowTest : public ::testing::Test {
protected:
    ImportWindowTest()
        : window(
              ImportTarget::articles(),
              [this] {
                  ImportRequest r = ImportApply::requestFor(model, Regional::comma());
                  r.rates = fixtureRates();
                  return r;
              },
              [this](const ImportPlan &plan) {
                  ++applies;
                  ImportApply::apply(model, plan);
              })
    {
    }

    // Opens a file and waits for its plan (or its refusal).
    void open(const QString &path)
    {
        int events = 0;
        const auto count = [&events] { ++events; };
        const auto a = QObject::connect(&window, &ImportWindow::planned, count);
        const auto b = QObject::connect(&window, &ImportWindow::bookRead, count);
        window.openFile(path);
        ASSERT_TRUE(waitUntil([&] { return events > 0 && !window.busy(); }, 20000));
        QObject::disconnect(a);
        QObject::disconnect(b);
    }
    template <typename T>
    T *child(const char *name) const
    {
        T *w = window.findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    ArticleTableModel model;
    int applies = 0;
    ImportWindow window;
};

TEST_F(ImportWindowTest, ShowsTheFileAndAppliesItInOneReplacement)
{
    EXPECT_EQ(window.objectName(), QStringLiteral("frmImport"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Увоз артикала"));
    for (const char *name : {"btnImportFile", "btnImportSaveMapping", "btnImportLoadMapping", "btnImportSaveProblems"})
        child<QPushButton>(name);
    for (const char *name : {"cbMapNumber", "cbMapName", "cbMapBarcode", "cbMapDepartment", "cbMapPrice", "cbMapTax",
                             "cbMapQuantity", "cbMapGroup"})
        child<QComboBox>(name);
    QComboBox *mode = child<QComboBox>("cbImportMode");
    ASSERT_EQ(mode->count(), 3);
    EXPECT_EQ(mode->itemText(2), QStringLiteral("Ажурирај по бар-коду, нове у празне редове"));

    open(fixturePath(QStringLiteral("calc.ods")));
    EXPECT_EQ(child<QComboBox>("cbImportSheet")->count(), 2);
    EXPECT_TRUE(child<QCheckBox>("chkImportHeader")->isChecked());
    EXPECT_EQ(child<QComboBox>("cbMapName")->currentText(), QStringLiteral("B (Назив)"));
    EXPECT_EQ(child<QComboBox>("cbMapQuantity")->currentText(), QStringLiteral("G (Količina)"));
    EXPECT_EQ(child<QTableView>("tvImportPreview")->model()->rowCount(), 11);
    EXPECT_EQ(child<QTableView>("tvImportProblems")->model()->rowCount(), 7);
    EXPECT_TRUE(child<QLabel>("lblImportSummary")->text().startsWith(QStringLiteral("Нових: 4, измењених: 0")));
    EXPECT_EQ(model.cell(0, ArticleTableModel::Name), QString()); // nothing before the apply

    QPushButton *apply = child<QPushButton>("btnImportApply");
    ASSERT_TRUE(apply->isEnabled());
    apply->click();
    EXPECT_EQ(applies, 1);
    EXPECT_EQ(model.cell(0, ArticleTableModel::Name), QStringLiteral("Хлеб бели 500 г"));
    ASSERT_TRUE(waitUntil([&] { return !window.busy(); }, 20000));
    QCoreApplication::processEvents();
    EXPECT_TRUE(child<QLabel>("lblImportSummary")->text().contains(QStringLiteral("неизмењених: 4")));
    EXPECT_FALSE(apply->isEnabled());
}

TEST_F(ImportWindowTest, ARefusedFileLeavesTheTableAsItWas)
{
    model.setCell(4, ArticleTableModel::Name, QStringLiteral("Остаје"));
    const QList<QStringList> before = ImportApply::rowsOf(model);
    QTemporaryDir dir;
    QByteArray bytes = fixtureBytes(QStringLiteral("calc.xlsx"));
    bytes[bytes.size() / 3] = char(bytes.at(bytes.size() / 3) ^ 0x33);
    const QString damaged = dir.filePath(QStringLiteral("ostecen.xlsx"));
    QFile f(damaged);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    open(damaged);
    EXPECT_TRUE(child<QLabel>("lblImportSummary")->text().contains(QStringLiteral("ostecen.xlsx")));
    EXPECT_FALSE(child<QPushButton>("btnImportApply")->isEnabled());
    child<QPushButton>("btnImportApply")->click();
    EXPECT_EQ(applies, 0);
    EXPECT_EQ(ImportApply::rowsOf(model), before);
}

} // namespace
