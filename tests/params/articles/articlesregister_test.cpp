#include "support/boxontheregister.h"
#include "protocol/commands.h"
#include "core/decimaltext.h"
#include "params/articles/articlefamily.h"
#include "params/articles/articlesbox.h"
#include "support/filledregister.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

const QString NoReply = QStringLiteral("Нема одзива са комуникационог порта. Молимо, проверите прикључке");

class ArticlesOnTheRegister : public BoxOnTheRegister<ArticleFamily, ArticlesBox> {
protected:
    ArticlesOnTheRegister() : BoxOnTheRegister(filledArticleRegister(true)) {}
    QString counter;

    void SetUp() override
    {
        QObject::connect(&family, &ArticleFamily::counter, [this](const QString &t) { counter = t; });
        openAndShow(900, 500);
        family.selectFirstRow();
    }

    QChar d() const { return GetParam(); }
    int count() const { return counter.toInt(); }

    // The row the register's article n should give.
    ArticleRow expectedRow(const RegisterArticle &a, int n) const
    {
        ArticleRow r;
        r.name = n % 10 == 9 ? QString() : QStringLiteral("Артикал %1").arg(n);
        r.barcode = QString::number(8600000000000LL + n).rightJustified(14, QLatin1Char('0'));
        r.tax = Fields::taxLabelOrA(a.tax & 0x0F);
        r.group = QString::number(a.groupDepartment >> 4);
        r.department = QString::number((a.groupDepartment & 0x0F) + 1);
        r.price = DecimalText::formatScaled(a.price, 2, d());
        r.quantity = DecimalText::formatScaled(a.stock, 3, d());
        r.sold = DecimalText::formatScaled(a.sold, 3, d());
        r.turnover = DecimalText::formatScaled(a.turnover.inHundredths(), 2, d());
        return r;
    }
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Regional, ArticlesOnTheRegister, ::testing::Values(QChar(','), QChar('.')), separatorName);

TEST_P(ArticlesOnTheRegister, FullReadThenFullWriteRowByRow)
{
    click("btnARead");
    EXPECT_FALSE(h.pageEnabled);
    EXPECT_TRUE(h.cancelVisible);
    ASSERT_TRUE(waitForStatus(u("Завршено читање артикала"))) << h.status.toStdString() << " at " << count();
    EXPECT_EQ(counter, u("4000"));
    EXPECT_EQ(h.progress, 0);
    EXPECT_TRUE(h.pageEnabled);
    EXPECT_FALSE(h.cancelVisible);
    const RegisterState original = h.reg.state();
    for (int n = 0; n < 4000; ++n) {
        const ArticleRow want = expectedRow(original.articles[std::size_t(n)], n);
        ASSERT_EQ(family.model().row(n), want) << "article " << n + 1;
    }
    // Row 1 is selected and shown in the edit fields.
    EXPECT_EQ(box.table()->currentIndex().row(), 0);
    EXPECT_EQ(box.table()->currentIndex().column(), 1);
    EXPECT_EQ(box.findChild<QLineEdit *>(QStringLiteral("edtArticleName"))->text(), u("Артикал 0"));
    EXPECT_EQ(box.findChild<QLineEdit *>(QStringLiteral("edtBarkod"))->text(), u("08600000000000"));
    EXPECT_EQ(box.findChild<QComboBox *>(QStringLiteral("cbAStand"))->currentText(), u("1"));

    // Change every row, write them all and compare the register's memory.
    for (int n = 0; n < 4000; ++n) {
        ArticleRow r = family.model().row(n);
        r.name = n % 7 == 3 ? QStringLiteral("  ") : QStringLiteral("Ново %1").arg(4000 - n);
        r.barcode = QString::number(n);
        r.price = QString::number(n % 500) + d() + QStringLiteral("999");
        r.quantity = n % 2 ? QStringLiteral("-%1").arg(n) : QString::number(n) + d() + QStringLiteral("5");
        r.tax = Fields::taxLabels().at((n + 4) % 9);
        r.group = QString::number((n + 1) % 13);
        r.department = QString::number((n + 3) % 8 + 1);
        r.sold = r.turnover = QStringLiteral("not sent");
        family.model().setRow(n, r);
    }
    h.reg.clearLog();
    click("btnAWrite");
    EXPECT_EQ(h.status, u("Уписивање артикала у току"));
    EXPECT_EQ(h.progress, 1);
    ASSERT_TRUE(waitForStatus(u("Успешно уписани артикли"))) << h.status.toStdString() << " at " << count();
    EXPECT_EQ(counter, u("4000"));
    EXPECT_EQ(h.progress, 0);
    EXPECT_TRUE(h.pageEnabled);
    EXPECT_FALSE(h.cancelVisible);
    EXPECT_EQ(h.handled(Command::WriteArticle).size(), 4000);
    for (int n = 0; n < 4000; ++n) {
        const RegisterArticle &a = h.reg.state().articles[std::size_t(n)];
        QByteArray name = n % 7 == 3 ? QByteArray(37, char(0xFF))
                                     : RegisterState::articleNameField(QStringLiteral("Ново %1").arg(4000 - n));
        if (n == 0)
            name[36] = 0x00; // the first request of a write leaves byte 47
        ASSERT_EQ(a.name.toHex(), name.toHex()) << n;
        ASSERT_EQ(a.barcode, RegisterState::packBarcode(QString::number(n))) << n;
        ASSERT_EQ(a.price, quint32((n % 500) * 100 + 99)) << "cut, not rounded: " << n;
        ASSERT_EQ(a.stock, n % 2 ? -n * 1000 : n * 1000 + 500) << n;
        ASSERT_EQ(a.tax, quint8((n + 4) % 9)) << n;
        ASSERT_EQ(a.groupDepartment, quint8(((n + 1) % 13) << 4 | (n + 3) % 8)) << n;
        // What the write does not carry stays as the register had it.
        ASSERT_EQ(a.sold, original.articles[std::size_t(n)].sold) << n;
    }
    EXPECT_TRUE(h.messages.isEmpty());
    EXPECT_TRUE(h.errors.isEmpty());
}

TEST_P(ArticlesOnTheRegister, WriteStopsAtABadRow)
{
    const RegisterState before = h.reg.state();
    family.model().setCell(1500, ArticleTableModel::Department, u("9"));
    click("btnAWrite");
    ASSERT_TRUE(RegisterHarness::waitFor([&] { return !h.messages.isEmpty(); }, 60000)) << count();
    EXPECT_EQ(h.messages.at(0).first, u("Пажња!!! "));
    EXPECT_EQ(h.messages.at(0).second, u("Грешка у подацима. Унос отказан!"));
    EXPECT_EQ(h.status, QString());
    EXPECT_EQ(counter, u("1500"));
    EXPECT_TRUE(h.pageEnabled);
    EXPECT_FALSE(h.cancelVisible);
    ASSERT_TRUE(RegisterHarness::waitFor([&] { return !h.driver.isBusy(); }));
    const QList<int> written = h.handled(Command::WriteArticle);
    ASSERT_EQ(written.size(), 1500);
    EXPECT_EQ(written.last(), 1499);
    EXPECT_EQ(h.reg.state().articles[1499].name, QByteArray(37, char(0xFF)));
    EXPECT_EQ(h.reg.state().articles[1500], before.articles[1500]);
    EXPECT_EQ(h.reg.state().articles[3999], before.articles[3999]);
}

TEST_P(ArticlesOnTheRegister, CancelInTheMiddleOfARead)
{
    click("btnARead");
    ASSERT_TRUE(RegisterHarness::waitFor([&] { return count() >= 300; }));
    h.driver.cancel();
    EXPECT_TRUE(h.pageEnabled);
    EXPECT_FALSE(h.cancelVisible);
    // The reply to the last request is dropped; nothing more is asked for.
    ASSERT_TRUE(RegisterHarness::waitFor([&] { return !h.driver.cancelFlag() && !h.reg.outputPending(); }));
    const int stoppedAt = count();
    const int requests = h.reg.requestCount();
    EXPECT_EQ(h.status, QString()) << "the dropped reply clears the status line";
    EXPECT_FALSE(h.driver.isBusy());
    for (int n = 0; n < stoppedAt; ++n)
        ASSERT_EQ(family.model().row(n), expectedRow(h.reg.state().articles[std::size_t(n)], n)) << n;
    for (int n = stoppedAt; n < 4000; ++n)
        ASSERT_EQ(family.model().row(n), ArticleRow()) << "not read: " << n;
    EXPECT_EQ(h.reg.requestCount(), requests);
}

TEST_P(ArticlesOnTheRegister, RegisterFallsSilentDuringARead)
{
    h.timer.setInterval(50); // the retry period, shortened for the test
    click("btnARead");
    ASSERT_TRUE(RegisterHarness::waitFor([&] { return count() >= 200; }));
    PtyRegister::Faults silent;
    silent.silent = true;
    h.reg.setFaults(silent);
    ASSERT_TRUE(RegisterHarness::waitFor([&] { return !h.messages.isEmpty(); }));
    EXPECT_EQ(h.messages.last().first, u("Грешка !!! "));
    EXPECT_EQ(h.messages.last().second, NoReply);
    EXPECT_TRUE(h.pageEnabled);
    EXPECT_FALSE(h.cancelVisible);
    const int stoppedAt = count();
    const QList<int> asked = h.handled(Command::ReadArticle);
    ASSERT_GE(asked.size(), 4);
    // The unanswered request was sent four times.
    EXPECT_EQ(asked.mid(asked.size() - 4), QList<int>(4, stoppedAt));
    for (int n = 0; n < stoppedAt; ++n)
        ASSERT_EQ(family.model().row(n), expectedRow(h.reg.state().articles[std::size_t(n)], n)) << n;
    EXPECT_EQ(family.model().row(stoppedAt), ArticleRow());
    EXPECT_EQ(h.status, u("Читање артикала у току..."));
}
