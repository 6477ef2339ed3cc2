#include "transfer/drivernotices.h"

namespace {
const QString NoReplyTitle = QStringLiteral("Грешка !!! ");
const QString NoReplyText = QStringLiteral("Нема одзива са комуникационог порта. Молимо, проверите прикључке");
const QString WriteFailureTitle = QStringLiteral("ГРЕШКА");
const QString DialogueEnded = QStringLiteral("Прекинут дијалог са касом");
const QString ChecksumsOff = QStringLiteral("каса шаље неисправне контролне збирове; подаци се примају без провере");
// The progress bar after the end of the dialogue.
constexpr int DialogueEndedProgress = 16;
} // namespace

DriverNotices::DriverNotices(ExchangeDriver &driver, QObject *parent) : QObject(parent)
{
    connect(&driver, &ExchangeDriver::textOutsideFrames, this, &DriverNotices::status);
    connect(&driver, &ExchangeDriver::cancelledReplyDropped, this, [this] { emit status(QString()); });
    connect(&driver, &ExchangeDriver::checksumsUnchecked, this, [this] { emit status(ChecksumsOff); });
    connect(&driver, &ExchangeDriver::dialogueEnded, this, [this] {
        emit status(DialogueEnded);
        emit progress(DialogueEndedProgress);
    });
    connect(&driver, &ExchangeDriver::noReply, this, [this] { emit message(NoReplyTitle, NoReplyText); });
    connect(&driver, &ExchangeDriver::writeFailed, this,
            [this](const QString &portError) { emit message(WriteFailureTitle, portError); });
}
