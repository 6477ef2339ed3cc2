// "Find the register" against five ports at once: three registers answering
// only their own serial numbers, one silent port and one that sends junk
// (replies with wrong checksums and text outside frames) for any number.
// The window and `vilaron-cli find` must name exactly the right port, and
// never touch the scanner's open port.
#include "app/mainwindow.h"
#include "app/messagedialog.h"
#include "cli/clirun.h"
#include "protocol/fields.h"
#include "sim/ptyregister.h"
#include "support/waituntil.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTextStream>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QStringList Serials{QStringLiteral("100001"), QStringLiteral("200002"), QStringLiteral("300003")};
const QString Answers = QStringLiteral("каса одговара");
const QString Silent = QStringLiteral("нема одговора");

struct FindRig {
    FindRig()
    {
        for (const QString &serial : Serials) {
            registers.push_back(std::make_unique<PtyRegister>());
            registers.back()->responder().setOnlySerial(Fields::packSerial(serial));
        }
        PtyRegister::Faults silent;
        silent.silent = true;
        quiet.setFaults(silent);
        PtyRegister::Faults junk;
        junk.badChecksums = true;
        junk.noise = true;
        noisy.setFaults(junk);
    }

    QList<PortFacts::SystemPort> ports() const
    {
        QList<PortFacts::SystemPort> list;
        for (std::size_t i = 0; i < registers.size(); ++i)
            list.append({registers[i]->slavePath(), QStringLiteral("каса %1").arg(i + 1), {}});
        list.append({quiet.slavePath(), QStringLiteral("тихи порт"), {}});
        list.append({noisy.slavePath(), QStringLiteral("бучни порт"), {}});
        list.append({scanner.slavePath(), QStringLiteral("читач"), {}});
        return list;
    }
    // The outcome shown for each device.
    static QMap<QString, QString> outcomes(const QAbstractItemModel &model)
    {
        QMap<QString, QString> out;
        for (int row = 0; row < model.rowCount(); ++row)
            out.insert(model.index(row, 0).data().toString(), model.index(row, 2).data().toString());
        return out;
    }

    std::vector<std::unique_ptr<PtyRegister>> registers;
    PtyRegister quiet;
    PtyRegister noisy;
    PtyRegister scanner; // would answer any number: it must not be asked
};

class FindRegister : public ::testing::TestWithParam<int> {
protected:
    QString serial() const { return Serials.at(GetParam()); }
    QString wanted() const { return rig.registers[std::size_t(GetParam())]->slavePath(); }
    // Every port but the wanted one and the scanner's says "нема одговора".
    void expectOnlyWantedAnswers(const QMap<QString, QString> &shown) const
    {
        EXPECT_FALSE(shown.contains(rig.scanner.slavePath()));
        EXPECT_EQ(shown.size(), 5);
        for (auto it = shown.begin(); it != shown.end(); ++it)
            EXPECT_EQ(it.value(), it.key() == wanted() ? Answers : Silent) << it.key().toStdString();
    }

    FindRig rig;
};

TEST_P(FindRegister, TheWindowNamesTheRightPortAndPutsItIntoThePortField)
{
    MainWindowOptions options;
    options.portEnumerator = [this] { return rig.ports(); };
    MainWindow window(options);
    auto *dialog = new MessageDialog(&window);
    dialog->setNonBlocking(true);
    window.setMessageDialog(dialog);
    window.findChild<QComboBox *>(QStringLiteral("cbBCCom"))->setEditText(rig.scanner.slavePath());
    window.scannerLine().setPortName(rig.scanner.slavePath());
    window.findChild<QPushButton *>(QStringLiteral("btnBCCom"))->click();
    ASSERT_TRUE(window.scannerLine().isOpen());

    window.findChild<QLineEdit *>(QStringLiteral("EdtId"))->setText(serial());
    window.findChild<QPushButton *>(QStringLiteral("btnFindRegister"))->click();
    auto *found = window.findChild<QDialog *>(QStringLiteral("frmFindRegister"));
    ASSERT_NE(found, nullptr);
    ASSERT_TRUE(waitUntil([&] { return found->isVisible(); }, 5000));
    EXPECT_EQ(found->windowTitle(), QStringLiteral("Проналажење касе %1").arg(serial()));
    auto *table = found->findChild<QTableView *>(QStringLiteral("tvFoundPorts"));
    expectOnlyWantedAnswers(FindRig::outcomes(*table->model()));
    EXPECT_EQ(rig.scanner.requestCount(), 0);

    found->findChild<QPushButton *>(QStringLiteral("btnFoundUse"))->click();
    EXPECT_EQ(window.registerLine().portName(), wanted());
    EXPECT_FALSE(found->isVisible());
}

TEST_P(FindRegister, TheCommandLineNamesTheRightPort)
{
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    CliRun run(outStream, errStream, Regional::comma(), false);
    run.setPortLister([this] {
        QList<PortFacts::SystemPort> ports = rig.ports();
        ports.removeLast(); // no scanner here
        return ports;
    });
    EXPECT_EQ(run.exec({QStringLiteral("vilaron-cli"), QStringLiteral("find"), QStringLiteral("--serial"), serial()}),
              CliRun::Done);
    QMap<QString, QString> shown;
    for (const QString &line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        shown.insert(line.section(QLatin1Char('\t'), 0, 0), line.section(QLatin1Char('\t'), 2, 2));
    expectOnlyWantedAnswers(shown);
}

INSTANTIATE_TEST_SUITE_P(EachRegister, FindRegister, ::testing::Values(0, 1, 2));

TEST(FindRegisterAlone, CommandLineWithoutAnAnsweringRegisterEndsWithThree)
{
    FindRig rig;
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    CliRun run(outStream, errStream, Regional::comma(), false);
    run.setPortLister([&] {
        QList<PortFacts::SystemPort> ports = rig.ports();
        ports.removeLast(); // the scanner's stand-in answers any number
        return ports;
    });
    EXPECT_EQ(run.exec({QStringLiteral("vilaron-cli"), QStringLiteral("find"), QStringLiteral("--serial=999999")}),
              CliRun::NoAnswer);
    EXPECT_EQ(out.count(Silent), 5) << out.toStdString();
    EXPECT_EQ(out.count(Answers), 0) << out.toStdString();
}

TEST(FindRegisterAlone, WithoutASerialNumberTheWindowSaysSoFirst)
{
    FindRig rig;
    MainWindowOptions options;
    options.portEnumerator = [&] { return rig.ports(); };
    MainWindow window(options);
    auto *dialog = new MessageDialog(&window);
    dialog->setNonBlocking(true);
    window.setMessageDialog(dialog);
    window.findChild<QLineEdit *>(QStringLiteral("EdtId"))->clear();
    window.findChild<QPushButton *>(QStringLiteral("btnFindRegister"))->click();
    ASSERT_EQ(dialog->history().size(), 1);
    EXPECT_TRUE(dialog->history().first().second.contains(QStringLiteral("серијски број")));
    EXPECT_EQ(rig.registers[0]->requestCount(), 0);
    EXPECT_FALSE(window.findChild<QDialog *>(QStringLiteral("frmFindRegister"))->isVisible());
}

TEST(PortField, TakesATypedNetworkAddressWithEnter)
{
    MainWindow window;
    auto *field = window.findChild<QComboBox *>(QStringLiteral("CB_ComPort"));
    for (const QString &url : {QStringLiteral("tcp://192.168.1.20:4001"), QStringLiteral("rfc2217://ser2net.local:3001")}) {
        field->lineEdit()->setText(url);
        emit field->lineEdit()->returnPressed();
        EXPECT_EQ(window.registerLine().portName(), url);
    }
}

} // namespace
