#pragma once

// The whole program (main window, serial line, driver, article family)
// against the register simulator, with a short retry period so that faults
// cost milliseconds, not seconds. Everything is looked at through the
// widgets' names, the message dialog's history and the simulator's memory.

#include "app/mainwindow.h"
#include "app/messagedialog.h"
#include "core/decimaltext.h"
#include "protocol/fields.h"
#include "sim/ptyregister.h"
#include "support/waituntil.h"
#include "support/filledregister.h"

#include <QAbstractItemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <memory>
#include <ostream>

// A failed comparison of cells shows the texts, not their UTF-16 bytes.
inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }

namespace FaultRig {

constexpr int RetryMs = 60;
constexpr int Patience = 30000; // ms; only reached when something hangs
const QString ReadDone = QStringLiteral("Завршено читање артикала");
const QString WriteDone = QStringLiteral("Успешно уписани артикли");
const QString Reading = QStringLiteral("Читање артикала у току...");
const QString NoReplyTitle = QStringLiteral("Грешка !!! ");
const QString NoReplyText = QStringLiteral("Нема одзива са комуникационог порта. Молимо, проверите прикључке");

// The cells (name to turnover) that the register's article n reads as.
inline QStringList expectedCells(const RegisterArticle &a, int n)
{
    const QChar d(QLatin1Char(','));
    return {QStringLiteral("Артикал %1").arg(n),
            QString::number(8600000000000LL + n).rightJustified(14, QLatin1Char('0')),
            QString::number((a.groupDepartment & 0x0F) + 1),
            DecimalText::formatScaled(a.price, 2, d),
            Fields::taxLabelOrA(a.tax & 0x0F),
            DecimalText::formatScaled(a.stock, 3, d),
            QString::number(a.groupDepartment >> 4),
            DecimalText::formatScaled(a.sold, 3, d),
            DecimalText::formatScaled(a.turnover.inHundredths(), 2, d)};
}

struct Program {
    PtyRegister reg{filledArticleRegister()};
    std::unique_ptr<MainWindow> window;
    MessageDialog *dialog = nullptr;

    // Starts the program on `port` (the simulator's line when empty).
    void start(const QString &port = QString())
    {
        MainWindowOptions options;
        options.regional = Regional::withDecimal(QLatin1Char(','));
        options.retryIntervalMs = RetryMs;
        options.registerPort = port.isEmpty() ? reg.slavePath() : port;
        window = std::make_unique<MainWindow>(options);
        dialog = new MessageDialog(window.get());
        dialog->setNonBlocking(true);
        window->setMessageDialog(dialog);
        // Not shown: painting a 4000-row table on every reply would cost more
        // than the transfer; the buttons, labels and models work the same.
        find<QLineEdit>("EdtId")->setText(QStringLiteral("123456"));
        button("btnCOM")->click();
    }

    template <typename T = QWidget>
    T *find(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
    QPushButton *button(const char *name) const { return find<QPushButton>(name); }
    QString status() const { return find<QLabel>("Status")->text(); }
    QAbstractItemModel *articles() const { return find<QTableView>("sgArticles")->model(); }
    QStringList cells(int row) const
    {
        QStringList c;
        for (int col = 1; col <= 9; ++col)
            c << articles()->index(row, col).data().toString();
        return c;
    }
    bool messageShown(const QString &text) const
    {
        for (const auto &m : dialog->history())
            if (m.second == text)
                return true;
        return false;
    }
    // The read and write buttons are back: the transfer is over.
    bool buttonsBack() const { return button("btnARead")->isEnabled() && button("btnAWrite")->isEnabled(); }
    bool waitForEnd(const QString &text)
    {
        return waitUntil([&] { return (status() == text || !dialog->history().isEmpty()) && buttonsBack(); },
                         Patience);
    }
};

} // namespace FaultRig
