#include "params/articles/articlefamily.h"

#include "link/commands.h"

namespace {
const QString DataErrorTitle = QStringLiteral("Грешка !!! ");
const QString DataErrorText = QStringLiteral("Грешка у подацима");
const QString RowRefusedTitle = QStringLiteral("Пажња!!! ");
const QString RowRefusedText = QStringLiteral("Грешка у подацима. Унос отказан!");
const QString ReadStart = QStringLiteral("Читање артикала у току...");
const QString ReadDone = QStringLiteral("Завршено читање артикала");
const QString WriteStart = QStringLiteral("Уписивање артикала у току");
const QString WriteDone = QStringLiteral("Успешно уписани артикли");
constexpr int ArticlesPerStep = 250;
} // namespace

ArticleFamily::ArticleFamily(FamilyContext &ctx, QObject *parent) : ParameterFamily(parent), m_ctx(ctx)
{
    m_ctx.driver.setReplyHandler(Command::ReadArticle, [this](const QByteArray &f) { onReadReply(f); });
    m_ctx.driver.setReplyHandler(Command::WriteArticle, [this](const QByteArray &f) { onWriteReply(f); });
}

void ArticleFamily::sgArticlesClick(int row)
{
    if (row < 0 || row >= ArticleTableModel::RowCount)
        return;
    m_currentRow = row;
    ArticleEditFill fill;
    try {
        ArticleEditing::selectionFill(m_model.row(row), &fill);
    } catch (const ProgramError &e) {
        emit editsFilled(fill);
        emit programError(e.text());
        return;
    }
    emit editsFilled(fill);
}

bool ArticleFamily::btnACorClick(const ArticleEdits &edits)
{
    bool changed = false;
    guarded([&] {
        ArticleRow row = m_model.row(m_currentRow);
        if (ArticleEditing::correct(edits, m_ctx.regional, &row) == ArticleEditing::Outcome::DataError) {
            emit message(DataErrorTitle, DataErrorText);
            return;
        }
        m_model.setRow(m_currentRow, row);
        changed = true;
    });
    return changed;
}

void ArticleFamily::selectFirstRow()
{
    m_currentRow = 0;
    emit currentCellRequested(0, ArticleTableModel::Name);
    ArticleEditFill fill;
    const ArticleRow &row = m_model.row(0);
    fill.name = row.name;
    fill.price = row.price;
    fill.quantity = row.quantity;
    fill.department = int(ArticleEditing::departmentItems().indexOf(row.department));
    emit editsFilled(fill);
}

void ArticleFamily::showFirstRowAfterLoad()
{
    m_currentRow = 0;
    emit currentCellRequested(0, ArticleTableModel::Name);
    emit editsFilled(ArticleEditing::loadFill(m_model.row(0)));
}

void ArticleFamily::selectRow(int row)
{
    if (row < 0 || row >= ArticleTableModel::RowCount)
        return;
    emit currentCellRequested(row, ArticleTableModel::Name);
    sgArticlesClick(row);
}

void ArticleFamily::btnAReadClick()
{
    guarded([&] {
        m_ctx.driver.lockForTransfer();
        emit readStarted();
        m_ctx.driver.setTransferIndex(0);
        emit status(ReadStart);
        m_ctx.driver.send(Command::ReadArticle, ArticleRecord::readRequest(0));
    });
}

void ArticleFamily::onReadReply(const QByteArray &frame)
{
    guarded([&] {
        const int i = m_ctx.driver.transferIndex();
        if (i < 0 || i >= ArticleTableModel::RowCount)
            return; // the read is complete; a late reply is dropped
        // The row is the one asked for; the index in the reply is not used.
        m_model.setRow(i, ArticleRecord::readReply(frame, m_ctx.regional));
        emit counter(QString::number(i + 1));
        const int next = i + 1;
        m_ctx.driver.setTransferIndex(next);
        if (next == ArticleTableModel::RowCount) {
            m_ctx.driver.releaseTransfer();
            emit status(ReadDone);
            m_currentRow = 0;
            emit currentCellRequested(0, ArticleTableModel::Name);
            emit editsFilled(ArticleEditing::readFill(m_model.row(0)));
            emit progress(0);
        } else {
            m_ctx.driver.send(Command::ReadArticle, ArticleRecord::readRequest(next));
            emit progress(next / ArticlesPerStep + 1);
        }
    });
}

void ArticleFamily::btnAWriteClick()
{
    guarded([&] {
        m_ctx.driver.lockForTransfer();
        emit status(WriteStart);
        emit progress(1);
        m_ctx.driver.setTransferIndex(0);
        m_writing = true;
        sendWrite(true);
    });
}

bool ArticleFamily::sendWrite(bool firstRow)
{
    const int i = m_ctx.driver.transferIndex();
    if (i < 0 || i >= ArticleTableModel::RowCount) {
        m_writing = false; // the shared index was moved by another transfer
        return false;
    }
    QByteArray data;
    ArticleRecord::Check check = ArticleRecord::Check::DataError;
    try {
        check = ArticleRecord::writeRequest(i, m_model.row(i), m_ctx.regional, &data);
    } catch (const ProgramError &) {
        // A number with the separator that does not convert: the write stops
        // here. The page control comes back at once rather than waiting for
        // the cancel button, which would have nothing left to cancel.
        m_writing = false;
        m_ctx.driver.releaseTransfer();
        throw; // to the general error report
    }
    if (check == ArticleRecord::Check::DataError) {
        stopOnDataError(firstRow);
        return false;
    }
    m_ctx.driver.send(Command::WriteArticle, data);
    return true;
}

void ArticleFamily::stopOnDataError(bool firstRow)
{
    m_writing = false;
    if (firstRow) {
        // Found by the write button: the cancel button stays as it is.
        emit m_ctx.driver.pageEnabledChanged(true);
        emit progress(0);
    } else {
        // Found in the reply handler: the progress bar stays where it was.
        m_ctx.driver.releaseTransfer();
    }
    emit status(QString());
    emit message(RowRefusedTitle, RowRefusedText);
}

void ArticleFamily::onWriteReply(const QByteArray &)
{
    if (!m_writing)
        return;
    guarded([&] {
        const int i = m_ctx.driver.transferIndex();
        emit counter(QString::number(i + 1));
        const int next = i + 1;
        m_ctx.driver.setTransferIndex(next);
        if (next >= ArticleTableModel::RowCount) {
            m_writing = false;
            m_ctx.driver.releaseTransfer();
            emit progress(0);
            emit status(WriteDone);
        } else {
            sendWrite(false);
        }
    });
}
