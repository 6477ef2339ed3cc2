#include "terminal/terminalwindow.h"

#include "core/programerror.h"
#include "edit/stepnames.h"
#include "params/articles/articletablemodel.h"
#include "widgets/filedialogs.h"
#include "core/filestore.h"
#include "terminal/terminalimport.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString InfoTitle = QStringLiteral("Информација !!!");
const QString WrittenText = QStringLiteral("Подаци су успешно уписани!...");
const QString MismatchTitle = QStringLiteral("Грешка");
const QString MismatchText = QStringLiteral("Бар код се не слаже");
const QString MissingFileText = QStringLiteral("Greska - ne postoji fajl!");
const QString WarningTitle = QStringLiteral("Пажња!!! ");
const QString FileSuffix = QStringLiteral("iv");

QPushButton *addButton(QVBoxLayout *column, const char *name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFixedSize(169, 25);
    button->setAutoDefault(false);
    column->addWidget(button);
    return button;
}

} // namespace

const QString TfrmTerminal::CommandFileName = QStringLiteral("Command.iv");
const QString TfrmTerminal::DataFileName = QStringLiteral("sold.iv");

TfrmTerminal::TfrmTerminal(ArticleTableModel &articles, Regional regional, QWidget *parent)
    : QDialog(parent), m_articles(articles), m_regional(regional)
{
    setObjectName(QStringLiteral("frmTerminal"));
    setProperty("windowClass", QStringLiteral("TfrmTerminal"));
    setWindowTitle(QStringLiteral("Terminal"));
    setModal(true);

    auto *layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(6);
    QPushButton *exportAll = addButton(buttons, "BtnExportGPRS", QStringLiteral("Слање свих артикала"), this);
    QPushButton *exportSelected =
        addButton(buttons, "BtnUpisSelektovanih", QStringLiteral("Слање селектованих артикала"), this);
    QPushButton *importArticles =
        addButton(buttons, "BtnImportGPRS", QStringLiteral("Импорт прочитаних артикала"), this);
    QPushButton *readArticles = addButton(buttons, "BtnCitanje", QStringLiteral("Читање артикала"), this);
    QPushButton *daily = addButton(buttons, "BtnDnevni", QStringLiteral("Дневни извештај"), this);
    QPushButton *turnover = addButton(buttons, "BtnPromet", QStringLiteral("Импорт промета"), this);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListArtikli"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setUniformItemSizes(true);
    m_list->setFixedSize(321, 281);
    // The lines are padded with blanks into columns.
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(m_list);

    connect(exportAll, &QPushButton::clicked, this, &TfrmTerminal::BtnExportGPRSClick);
    connect(exportSelected, &QPushButton::clicked, this, &TfrmTerminal::BtnUpisSelektovanihClick);
    connect(importArticles, &QPushButton::clicked, this, &TfrmTerminal::BtnImportGPRSClick);
    connect(readArticles, &QPushButton::clicked, this, &TfrmTerminal::BtnCitanjeClick);
    connect(daily, &QPushButton::clicked, this, &TfrmTerminal::BtnDnevniClick);
    connect(turnover, &QPushButton::clicked, this, &TfrmTerminal::BtnPrometClick);
}

QString TfrmTerminal::saveFilter()
{
    return QStringLiteral("CSV fajlovi (*.csv);;Svi fajlovi (*.*);;IV fajlovi (*.iv)");
}

QString TfrmTerminal::openFilter() { return saveFilter(); }

QString TfrmTerminal::openFilterShown() { return QStringLiteral("IV fajlovi (*.iv)"); }

template <typename F>
void TfrmTerminal::guarded(F &&handler)
{
    if (const std::optional<QString> failure = failureOf(handler))
        emit programError(*failure);
}

QString TfrmTerminal::listLine(const ArticleRow &row, int number)
{
    const QChar blank = QLatin1Char(' ');
    return QString::number(number).rightJustified(4, blank) + blank + row.name.leftJustified(36, blank) + blank
        + row.barcode.leftJustified(13, blank) + blank + row.price.rightJustified(8, blank) + blank + row.tax;
}

void TfrmTerminal::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
    if (const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TfrmTerminal::FormShow()
{
    QStringList lines;
    lines.reserve(ArticleTableModel::RowCount);
    for (int r = 0; r < ArticleTableModel::RowCount; ++r)
        lines << listLine(m_articles.row(r), r + 1);
    m_list->clear();
    m_list->addItems(lines);
    m_list->clearSelection();
}

bool TfrmTerminal::writeFile(const QString &path, const QByteArray &bytes)
{
    QString error;
    if (!TerminalFiles::writeCommandFile(path, bytes, &error)) {
        emit programError(error);
        return false;
    }
    return true;
}

void TfrmTerminal::sendArticles(TerminalFiles::Command command, Selection selection)
{
    guarded([&] {
        const QString path = FileDialogs::askSavePath(this, CommandFileName, saveFilter(), FileSuffix);
        if (path.isEmpty())
            return;
        std::vector<int> rows;
        if (selection == Selection::All) {
            for (int r = 0; r < ArticleTableModel::RowCount; ++r)
                rows.push_back(r);
        } else {
            const QList<QListWidgetItem *> items = m_list->selectedItems();
            for (const QListWidgetItem *item : items)
                rows.push_back(m_list->row(item));
            std::sort(rows.begin(), rows.end());
        }
        // Every record is built before the file is touched: a price that
        // cannot be sent leaves no half-written file behind.
        QList<QByteArray> records;
        for (int r : rows) {
            if (r < 0 || r >= ArticleTableModel::RowCount)
                continue;
            const ArticleRow &row = m_articles.row(r);
            if (TerminalFiles::isNamed(row))
                records << TerminalFiles::articleRecord(r + 1, row, m_regional);
        }
        if (!writeFile(path, TerminalFiles::commandFile(command, records)))
            return;
        emit message(InfoTitle, WrittenText);
    });
}

void TfrmTerminal::writeCommandOnly(TerminalFiles::Command command)
{
    guarded([&] {
        const QString path = FileDialogs::askSavePath(this, CommandFileName, saveFilter(), FileSuffix);
        if (path.isEmpty())
            return;
        writeFile(path, TerminalFiles::commandFile(command));
    });
}

void TfrmTerminal::BtnExportGPRSClick() { sendArticles(TerminalFiles::Command::SendAll, Selection::All); }

void TfrmTerminal::BtnUpisSelektovanihClick()
{
    sendArticles(TerminalFiles::Command::SendSelected, Selection::Selected);
}

void TfrmTerminal::BtnCitanjeClick() { writeCommandOnly(TerminalFiles::Command::ReadArticles); }

void TfrmTerminal::BtnDnevniClick() { writeCommandOnly(TerminalFiles::Command::DailyReport); }

void TfrmTerminal::reportSkipped(int skipped)
{
    if (skipped > 0)
        emit message(WarningTitle,
                     QStringLiteral("Записи терминала који не одговарају ниједном артиклу нису увезени: %1")
                         .arg(skipped));
}

void TfrmTerminal::BtnImportGPRSClick()
{
    guarded([&] {
        const QString path = FileDialogs::askOpenPath(this, DataFileName, openFilter(), FileSuffix, openFilterShown());
        if (path.isEmpty()) {
            accept();
            return;
        }
        QByteArray bytes;
        QString error;
        if (!FileStore::readAll(path, &bytes, &error)) {
            emit information(QStringLiteral("Information"), MissingFileText);
            return;
        }
        int skipped = 0;
        m_articles.history().record(StepNames::TerminalImport, [&] {
            skipped = TerminalImport::mergeArticles(m_articles, bytes, m_regional).skipped;
        });
        reportSkipped(skipped);
        accept();
    });
}

void TfrmTerminal::finishTurnover()
{
    ArticleEditFill fill = ArticleEditing::readFill(m_articles.row(0));
    // Name, barcode, department and price; the tax list stays as it is.
    fill.tax.reset();
    fill.quantity.reset();
    fill.group.reset();
    emit firstArticleShown(fill);
    accept();
}

void TfrmTerminal::BtnPrometClick()
{
    guarded([&] {
        const QString path = FileDialogs::askOpenPath(this, DataFileName, openFilter(), FileSuffix, openFilterShown());
        if (path.isEmpty()) {
            finishTurnover();
            return;
        }
        QByteArray bytes;
        QString error;
        if (!FileStore::readAll(path, &bytes, &error))
            throw ProgramError(error);
        TerminalImport::Result result;
        m_articles.history().record(StepNames::TerminalImport,
                                    [&] { result = TerminalImport::mergeSales(m_articles, bytes, m_regional); });
        reportSkipped(result.skipped);
        if (result.barcodeMismatch) {
            emit message(MismatchTitle, MismatchText);
            return;
        }
        finishTurnover();
    });
}
