// The port selectors and the port messages of the main window: the list is
// asked for again each time it opens, entries say what they are, and a port
// that goes away mid-request gives exactly one message.
#include "app/mainwindow.h"
#include "app/messagedialog.h"
#include "app/portchoices.h"
#include "app/portcombobox.h"
#include "sim/ptyregister.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int Patience = 15000;
const QString ErrorTitle = QStringLiteral("Грешка !!! ");
const QString Ftdi = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");

PortFacts::SystemPort usbAdapter()
{
    return {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("FTDI FT232R USB UART"), {Ftdi}};
}

QStringList texts(const QComboBox *combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

// A main window whose port lists come from `ports`, which the test changes.
struct Window {
    QList<PortFacts::SystemPort> ports;
    int asked = 0;
    std::unique_ptr<MainWindow> window;
    MessageDialog *dialog = nullptr;

    explicit Window(const QString &registerPort = QStringLiteral("COM1"))
    {
        MainWindowOptions options;
        options.registerPort = registerPort;
        options.portEnumerator = [this] {
            ++asked;
            return ports;
        };
        window = std::make_unique<MainWindow>(options);
        dialog = new MessageDialog(window.get());
        dialog->setNonBlocking(true);
        window->setMessageDialog(dialog);
        window->show();
    }
    PortComboBox *combo(const char *name) const { return window->findChild<PortComboBox *>(QString::fromLatin1(name)); }
    QPushButton *button(const char *name) const { return window->findChild<QPushButton *>(QString::fromLatin1(name)); }
};

} // namespace

TEST(PortChoices, ComLabelsStayAndOtherPortsShowPathAndDescription)
{
    const QList<PortFacts::SystemPort> ports = {
        {QStringLiteral("/dev/ttyS0"), QStringLiteral("16550A"), {}}, usbAdapter(),
        {QStringLiteral("/dev/ttyACM0"), QString(), {}}};
    const QList<PortChoice> choices = PortChoices::build(ports);
    QStringList shown;
    for (const PortChoice &c : choices)
        shown << c.text;
    EXPECT_EQ(shown, (QStringList{"COM1", "COM2", "COM3", "COM4", "/dev/ttyUSB0 — FTDI FT232R USB UART",
                                  Ftdi + " — FTDI FT232R USB UART", "/dev/ttyACM0"}));
    EXPECT_EQ(choices[0].name, QStringLiteral("COM1"));
    EXPECT_EQ(choices[0].toolTip, QStringLiteral("/dev/ttyS0 — 16550A"));
    EXPECT_EQ(choices[1].toolTip, QStringLiteral("/dev/ttyS1"));
    EXPECT_EQ(choices[4].name, QStringLiteral("/dev/ttyUSB0"));
    EXPECT_TRUE(choices[4].toolTip.contains(Ftdi));
    EXPECT_EQ(choices[5].name, Ftdi);
    EXPECT_EQ(PortChoices::nameFor(choices, shown[4]), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(PortChoices::nameFor(choices, QStringLiteral(" /tmp/typed ")), QStringLiteral("/tmp/typed"));
}

TEST(PortSelector, ListIsAskedForAgainEachTimeItOpens)
{
    Window w;
    for (const char *name : {"CB_ComPort", "cbBCCom"}) {
        PortComboBox *combo = w.combo(name);
        ASSERT_NE(combo, nullptr) << name;
        EXPECT_EQ(texts(combo), (QStringList{"COM1", "COM2", "COM3", "COM4"})) << name;
        EXPECT_EQ(combo->currentText(), QStringLiteral("COM1"));
    }
    // An adapter plugged in after start-up is offered when the list opens.
    w.ports = {usbAdapter()};
    const int before = w.asked;
    PortComboBox *combo = w.combo("CB_ComPort");
    combo->showPopup();
    combo->hidePopup();
    EXPECT_EQ(w.asked, before + 1);
    EXPECT_EQ(texts(combo).mid(4), (QStringList{"/dev/ttyUSB0 — FTDI FT232R USB UART", Ftdi + " — FTDI FT232R USB UART"}));
    EXPECT_EQ(combo->currentText(), QStringLiteral("COM1")) << "the text shown stays";

    // Picking it puts the device path in force; the tooltip has the whole of it.
    combo->setCurrentIndex(4);
    w.window->CB_ComPortClick();
    EXPECT_EQ(w.window->registerLine().portName(), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_TRUE(combo->toolTip().contains(Ftdi)) << combo->toolTip().toStdString();
    combo->setCurrentIndex(5);
    w.window->CB_ComPortClick();
    EXPECT_EQ(w.window->registerLine().portName(), Ftdi);

    // Pulled out again: gone from the next list, the text typed stays.
    w.ports.clear();
    combo->setEditText(QStringLiteral("/dev/ttyUSB7"));
    combo->showPopup();
    combo->hidePopup();
    EXPECT_EQ(texts(combo), (QStringList{"COM1", "COM2", "COM3", "COM4"}));
    EXPECT_EQ(combo->currentText(), QStringLiteral("/dev/ttyUSB7"));
}

TEST(PortSelector, WideEnoughForAUsbPath)
{
    Window w;
    PortComboBox *combo = w.combo("CB_ComPort");
    const QFontMetrics metrics(combo->lineEdit()->font());
    EXPECT_GE(combo->lineEdit()->width(), metrics.horizontalAdvance(QStringLiteral("/dev/serial/by-id/usb-")));
}

TEST(PortMessages, MissingDeviceSaysWhatAndWhatToDo)
{
    Window w(QStringLiteral("/dev/ttyUSB-vilaron-missing"));
    w.button("btnCOM")->click();
    ASSERT_EQ(w.dialog->history().size(), 1);
    EXPECT_EQ(w.dialog->history()[0].first, ErrorTitle);
    EXPECT_EQ(w.dialog->history()[0].second,
              QStringLiteral("Problem u otvaranju porta (win error code: 2)\nПорт: /dev/ttyUSB-vilaron-missing\n"
                             "Узрок: уређај не постоји или није прикључен.\n"
                             "Шта урадити: проверите кабл и назив порта."));
    EXPECT_EQ(w.button("btnCOM")->text(), QStringLiteral("Отвори порт"));
}

TEST(PortMessages, PortInUseNamesTheProgramHoldingIt)
{
    PtyRegister reg{RegisterState::blank()};
    ASSERT_TRUE(reg.isOpen());
    Window holder(reg.slavePath());
    holder.button("btnCOM")->click();
    ASSERT_TRUE(holder.window->registerLine().isOpen());
    Window second(reg.slavePath());
    second.button("btnCOM")->click();
    ASSERT_EQ(second.dialog->history().size(), 1);
    const QStringList lines = second.dialog->history()[0].second.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("Problem u otvaranju porta (win error code: 16)"));
    EXPECT_EQ(lines[1], QStringLiteral("Порт: ") + reg.slavePath());
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Узрок: порт користи други програм: ")))
        << lines[2].toStdString();
    EXPECT_TRUE(lines[2].contains(QStringLiteral("(PID %1)").arg(QCoreApplication::applicationPid())));
}

// The cable is pulled while a read waits for its reply: one Cyrillic message
// that says so, and no "no reply" message after it.
TEST(PortMessages, PulledMidRequestGivesOneMessage)
{
    PtyRegister reg{RegisterState::blank()};
    ASSERT_TRUE(reg.isOpen());
    PtyRegister::Faults silent;
    silent.silent = true;
    reg.setFaults(silent);
    Window w(reg.slavePath());
    w.window->setRetryIntervalMs(40);
    w.button("btnCOM")->click();
    ASSERT_TRUE(w.window->registerLine().isOpen());
    w.button("btnTGRead")->click();
    ASSERT_TRUE(w.window->driver().replyAwaited());
    ASSERT_TRUE(QTest::qWaitFor([&] { return reg.requestCount() >= 1; }, Patience));
    reg.closeMaster();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.window->registerLine().isOpen(); }, Patience));

    // The request died with the port: nothing is awaited, nothing will repeat.
    EXPECT_FALSE(w.window->driver().replyAwaited());
    EXPECT_FALSE(w.window->driver().isBusy());
    EXPECT_FALSE(w.window->retryTimer().isActive());
    // A tick that was already on its way changes nothing either.
    w.window->driver().retryTick();

    ASSERT_EQ(w.dialog->history().size(), 1);
    EXPECT_EQ(w.dialog->history()[0].first, ErrorTitle);
    EXPECT_EQ(w.dialog->history()[0].second,
              QStringLiteral("Веза са уређајем је прекинута; порт је затворен.\nПорт: ") + reg.slavePath()
                  + QStringLiteral("\nУзрок: уређај је искључен или је кабл извучен.\n"
                                   "Шта урадити: прикључите уређај, па поново отворите порт."));
    EXPECT_EQ(w.button("btnCOM")->text(), QStringLiteral("Отвори порт"));
    EXPECT_FALSE(w.button("btnTGRead")->isEnabled());
}
