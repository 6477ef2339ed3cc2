#include "params/articles/articlefamily.h"

#include "catalogue/familycatalogue.h"

#include "params/common/familytexts.h"
#include "protocol/commands.h"

namespace {
constexpr int ArticlesPerStep = 250;
} // namespace

ArticleFamily::ArticleFamily(FamilyContext &ctx, QObject *parent) : ParameterFamily(parent), m_ctx(ctx)
{
    const Regional regional = ctx.regional;
    ExchangeDriver &driver = ctx.driver;
    setId(FamilyId::Articles);
    TransferRules r(FamilyCatalogue::key(FamilyId::Articles), Command::ReadArticle, Command::WriteArticle, ArticleTableModel::RowCount,
                    TransferRules::Next::SharedIndex);
    r.recordColumn = ArticleTableModel::Name;
    r.texts(QStringLiteral("Читање артикала у току..."), QStringLiteral("Завршено читање артикала"),
            QStringLiteral("Уписивање артикала у току"), QStringLiteral("Успешно уписани артикли"));
    r.refusalTitle = QStringLiteral("Пажња!!! ");
    r.readRequest = &ArticleRecord::readRequest;
    r.readProgress = [](int index, bool last) { return last ? -1 : (index + 1) / ArticlesPerStep + 1; };
    r.writeStartProgress = {1};
    // The row is the one asked for; the index in the reply is not used.
    r.storeRead = [this, regional](int index, const QByteArray &frame) {
        m_model.setRow(index, ArticleRecord::readReply(frame, regional));
        return true;
    };
    r.readAsWrite = [regional](int index, const QByteArray &frame) {
        QByteArray data;
        ArticleRecord::writeRequest(index, ArticleRecord::readReply(frame, regional), regional, &data);
        return data;
    };
    r.writeRequest = [this, regional](int index) -> std::optional<QByteArray> {
        QByteArray data;
        if (ArticleRecord::writeRequest(index, m_model.row(index), regional, &data) == ArticleRecord::Check::DataError)
            return std::nullopt;
        return data;
    };
    // The page control is locked while articles travel; the counter shows
    // each record answered.
    const auto release = [this, &driver] {
        emit pagesLocked(false);
        driver.endCancellableTransfer();
    };
    r.starting = [this, &driver](bool) {
        emit pagesLocked(true);
        driver.startCancellableTransfer();
    };
    r.finishing = [release](bool) { release(); };
    r.recordDone = [this](int index) { emit counter(QString::number(index + 1)); };
    r.finished = [this](bool write) {
        if (write)
            return;
        m_currentRow = 0;
        emit currentCellRequested(0, ArticleTableModel::Name);
        emit editsFilled(ArticleEditing::readFill(m_model.row(0)));
    };
    r.refused = [this, release](bool firstRecord) {
        if (firstRecord) {
            // Found by the write button: the cancel button stays as it is.
            emit pagesLocked(false);
            emit progress(0);
        } else {
            // Found in the reply handler: the progress bar stays where it was.
            release();
        }
        emit status(QString());
    };
    // A number with the separator that does not convert stops the write. The
    // page control comes back at once rather than waiting for the cancel
    // button, which would have nothing left to cancel.
    r.stopped = release;
    m_transfer = new TransferEngine(ctx.driver, *this, std::move(r));
    endsWith(*m_transfer);
    // A request given up or cancelled, or the end of the dialogue, lets the
    // pages go whatever ran.
    connect(&driver, &ExchangeDriver::stopped, this, [this] { emit pagesLocked(false); });
    connect(&driver, &ExchangeDriver::dialogueEnded, this, [this] { emit pagesLocked(false); });
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
            emit message(FamilyTexts::ErrorTitle, FamilyTexts::DataErrorText);
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
    beginAction();
    m_transfer->read();
}

void ArticleFamily::btnAWriteClick()
{
    beginAction();
    m_transfer->write();
}
