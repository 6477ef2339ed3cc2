#include "import/importwindow.h"

#include "import/bookreader.h"
#include "import/importproblems.h"
#include "import/importviewmodels.h"
#include "import/mappingguess.h"
#include "import/mappingtemplate.h"
#include "widgets/filedialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace {

const QString None = QStringLiteral("—");
const QString SheetFilter = QStringLiteral("Табеле (*.csv *.xlsx *.ods *.txt);;Сви фајлови (*)");

const char *comboName(ImportField f)
{
    static const char *names[] = {"cbMapNumber", "cbMapName",     "cbMapBarcode", "cbMapDepartment",
                                  "cbMapPrice",  "cbMapTax",      "cbMapQuantity", "cbMapGroup"};
    return names[int(f)];
}

QPushButton *button(const char *name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

ImportWindow::ImportWindow(const ImportTarget &target, std::function<ImportRequest()> table,
                           std::function<void(const ImportPlan &)> apply, QWidget *parent)
    : QDialog(parent), m_target(target), m_table(std::move(table)), m_apply(std::move(apply))
{
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(target.kind == ImportTarget::Articles ? QStringLiteral("Увоз артикала")
                                                         : QStringLiteral("Увоз одељења"));
    build();
    connect(&m_reading, &QFutureWatcher<Workbook>::finished, this, &ImportWindow::onBookRead);
    connect(&m_planning, &QFutureWatcher<ImportPlan>::finished, this, &ImportWindow::onPlanned);
}

ImportWindow::~ImportWindow()
{
    // The workers hold copies only; they are waited for so none outlives the window.
    m_reading.waitForFinished();
    m_planning.waitForFinished();
}

void ImportWindow::build()
{
    m_file = button("btnImportFile", QStringLiteral("Датотека..."), this);
    m_fileName = new QLabel(this);
    m_sheet = new QComboBox(this);
    m_sheet->setObjectName(QStringLiteral("cbImportSheet"));
    m_header = new QCheckBox(QStringLiteral("Први ред садржи наслове колона"), this);
    m_header->setObjectName(QStringLiteral("chkImportHeader"));
    m_previewModel = new SheetPreviewModel(this);
    m_preview = new QTableView(this);
    m_preview->setObjectName(QStringLiteral("tvImportPreview"));
    m_preview->setModel(m_previewModel);
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto *mapping = new QFormLayout;
    for (ImportField f : ImportTarget::all()) {
        auto *combo = new QComboBox(this);
        combo->setObjectName(QString::fromLatin1(comboName(f)));
        combo->setEnabled(m_target.has(f));
        m_map[std::size_t(f)] = combo;
        mapping->addRow(ImportTarget::title(f) + QLatin1Char(':'), combo);
        connect(combo, &QComboBox::currentIndexChanged, this, [this] {
            if (!m_filling)
                replan();
        });
    }
    auto *saveMapping = button("btnImportSaveMapping", QStringLiteral("Сачувај пресликавање..."), this);
    auto *loadMapping = button("btnImportLoadMapping", QStringLiteral("Учитај пресликавање..."), this);
    m_mode = new QComboBox(this);
    m_mode->setObjectName(QStringLiteral("cbImportMode"));
    m_mode->addItems({QStringLiteral("Замени табелу"), QStringLiteral("Ажурирај по броју")});
    if (m_target.has(ImportField::Barcode))
        m_mode->addItem(QStringLiteral("Ажурирај по бар-коду, нове у празне редове"));
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lblImportSummary"));
    m_summary->setWordWrap(true);
    m_problemModel = new ProblemListModel(this);
    m_problems = new QTableView(this);
    m_problems->setObjectName(QStringLiteral("tvImportProblems"));
    m_problems->setModel(m_problemModel);
    m_problems->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_problems->horizontalHeader()->setStretchLastSection(true);
    auto *saveProblems = button("btnImportSaveProblems", QStringLiteral("Сачувај проблеме..."), this);
    m_applyButton = button("btnImportApply", QStringLiteral("Увези"), this);
    m_applyButton->setEnabled(false);
    auto *close = button("btnImportClose", QStringLiteral("Затвори"), this);

    auto *top = new QHBoxLayout;
    top->addWidget(m_file);
    top->addWidget(m_fileName, 1);
    top->addWidget(new QLabel(QStringLiteral("Лист:"), this));
    top->addWidget(m_sheet);
    top->addWidget(m_header);
    auto *side = new QVBoxLayout;
    side->addLayout(mapping);
    side->addWidget(saveMapping);
    side->addWidget(loadMapping);
    side->addStretch(1);
    auto *middle = new QHBoxLayout;
    middle->addWidget(m_preview, 1);
    middle->addLayout(side);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("Начин:"), this));
    bottom->addWidget(m_mode);
    bottom->addStretch(1);
    bottom->addWidget(saveProblems);
    bottom->addWidget(m_applyButton);
    bottom->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 3);
    layout->addWidget(m_summary);
    layout->addWidget(m_problems, 2);
    layout->addLayout(bottom);
    resize(960, 640);

    connect(m_file, &QPushButton::clicked, this, &ImportWindow::btnImportFileClick);
    connect(m_sheet, &QComboBox::currentIndexChanged, this, &ImportWindow::onSheetChosen);
    connect(m_header, &QCheckBox::toggled, this, &ImportWindow::onHeaderToggled);
    connect(m_mode, &QComboBox::currentIndexChanged, this, [this] { replan(); });
    connect(saveMapping, &QPushButton::clicked, this, &ImportWindow::btnImportSaveMappingClick);
    connect(loadMapping, &QPushButton::clicked, this, &ImportWindow::btnImportLoadMappingClick);
    connect(saveProblems, &QPushButton::clicked, this, &ImportWindow::btnImportSaveProblemsClick);
    connect(m_applyButton, &QPushButton::clicked, this, &ImportWindow::btnImportApplyClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void ImportWindow::btnImportFileClick()
{
    const QString path = FileDialogs::askOpenPath(this, QString(), SheetFilter, QString());
    if (!path.isEmpty())
        openFile(path);
}

void ImportWindow::openFile(const QString &path)
{
    // A read still running for an earlier file goes on unwatched; its result is dropped.
    ++m_generation;
    m_fileName->setText(QFileInfo(path).fileName());
    m_summary->setText(QStringLiteral("Читање датотеке..."));
    m_applyButton->setEnabled(false);
    m_planCurrent = false;
    m_readPending = true;
    m_reading.setFuture(QtConcurrent::run([path] { return BookReader::readFile(path); }));
}

void ImportWindow::onBookRead()
{
    m_readPending = false;
    m_book = m_reading.result();
    m_filling = true;
    m_sheet->clear();
    for (const Sheet &s : m_book.sheets)
        m_sheet->addItem(s.name);
    m_filling = false;
    if (!m_book.ok()) {
        // Refused: nothing to preview, nothing to apply.
        m_previewModel->setSheet(Sheet());
        m_problemModel->setProblems({});
        m_plan = ImportPlan();
        m_summary->setText(m_book.error);
        emit bookRead();
        return;
    }
    onSheetChosen(0);
    emit bookRead();
}

const Sheet &ImportWindow::sheet() const
{
    static const Sheet empty;
    const int i = m_sheet->currentIndex();
    return i >= 0 && i < m_book.sheets.size() ? m_book.sheets.at(i) : empty;
}

int ImportWindow::headingRow() const
{
    if (!m_header->isChecked())
        return -1;
    return m_guessedHeading >= 0 ? m_guessedHeading : 0;
}

void ImportWindow::onSheetChosen(int)
{
    if (m_filling)
        return;
    const MappingGuess::Guess guess = MappingGuess::guess(sheet(), m_target);
    m_guessedHeading = guess.headingRow;
    m_previewModel->setSheet(sheet());
    m_filling = true;
    m_header->setChecked(guess.headingRow >= 0);
    m_filling = false;
    fillMappingCombos();
    setMapping(guess.mapping);
    replan();
}

void ImportWindow::onHeaderToggled()
{
    if (m_filling)
        return;
    const ImportMapping kept = mapping();
    fillMappingCombos();
    setMapping(kept);
    replan();
}

void ImportWindow::fillMappingCombos()
{
    m_filling = true;
    const int columns = sheet().columnCount();
    for (QComboBox *combo : m_map) {
        combo->clear();
        combo->addItem(None, -1);
        for (int c = 0; c < columns && combo->isEnabled(); ++c)
            combo->addItem(ImportPlanner::columnName(c, headingRow() >= 0 ? sheet().text(headingRow(), c) : QString()), c);
    }
    m_filling = false;
}

void ImportWindow::setMapping(const ImportMapping &mapping)
{
    m_filling = true;
    for (ImportField f : ImportTarget::all()) {
        QComboBox *combo = m_map[std::size_t(f)];
        const int at = combo->findData(mapping.column(f));
        combo->setCurrentIndex(at >= 0 ? at : 0);
    }
    m_filling = false;
}

ImportMapping ImportWindow::mapping() const
{
    ImportMapping m;
    for (ImportField f : ImportTarget::all())
        m.set(f, m_map[std::size_t(f)]->currentData().toInt());
    return m;
}

void ImportWindow::replan()
{
    if (!m_book.ok() || m_book.sheets.isEmpty())
        return;
    m_planCurrent = false;
    m_applyButton->setEnabled(false);
    if (m_planPending) {
        m_replanAgain = true; // the running plan is stale; another follows it
        return;
    }
    ImportRequest request = m_table();
    request.mode = ImportMode(m_mode->currentIndex());
    request.mapping = mapping();
    request.headingRow = headingRow();
    const Sheet chosen = sheet();
    m_planGeneration = m_generation;
    m_planPending = true;
    m_planning.setFuture(QtConcurrent::run([chosen, request] { return ImportPlanner::plan(chosen, request); }));
}

void ImportWindow::onPlanned()
{
    m_planPending = false;
    if (m_replanAgain || m_planGeneration != m_generation) {
        m_replanAgain = false;
        replan();
        return;
    }
    m_plan = m_planning.result();
    m_planCurrent = true;
    m_summary->setText(m_appliedNote + (m_plan.refusal.isEmpty() ? m_plan.summary.text() : m_plan.refusal));
    m_appliedNote.clear();
    m_problemModel->setProblems(m_plan.problems);
    m_applyButton->setEnabled(!m_plan.changedRows.isEmpty());
    emit planned();
}

void ImportWindow::btnImportApplyClick()
{
    if (!m_planCurrent || m_plan.changedRows.isEmpty())
        return;
    m_apply(m_plan);
    m_appliedNote = QStringLiteral("Увезено: %1\nСада: ").arg(m_plan.summary.text());
    emit applied();
    replan(); // against the table as it now is
}

void ImportWindow::btnImportSaveMappingClick()
{
    const QString path = FileDialogs::askSavePath(this, QStringLiteral("preslikavanje.json"),
                                                  QStringLiteral("Пресликавање (*.json)"), QStringLiteral("json"));
    if (!path.isEmpty())
        saveFile(path, MappingTemplate::write(mapping(), sheet(), headingRow(), m_target));
}

void ImportWindow::btnImportLoadMappingClick()
{
    const QString path = FileDialogs::askOpenPath(this, QStringLiteral("preslikavanje.json"),
                                                  QStringLiteral("Пресликавање (*.json)"), QStringLiteral("json"));
    if (path.isEmpty())
        return;
    QFile file(path);
    MappingTemplate::Saved saved;
    QString why;
    if (!file.open(QIODevice::ReadOnly) || file.size() > 1024 * 1024
        || !MappingTemplate::read(file.readAll(), sheet(), m_guessedHeading >= 0 ? m_guessedHeading : 0, m_target,
                                  &saved, &why)) {
        m_summary->setText(QStringLiteral("„%1“: %2.")
                               .arg(QFileInfo(path).fileName(), why.isEmpty() ? file.errorString() : why));
        return;
    }
    m_filling = true;
    m_header->setChecked(saved.headings);
    m_filling = false;
    fillMappingCombos();
    setMapping(saved.mapping);
    replan();
}

void ImportWindow::btnImportSaveProblemsClick()
{
    const QString path = FileDialogs::askSavePath(this, QStringLiteral("problemi.csv"),
                                                  QStringLiteral("CSV fajlovi (*.csv)"));
    if (!path.isEmpty())
        saveFile(path, ImportProblems::csv(m_problemModel->problems()));
}

bool ImportWindow::saveFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    m_summary->setText(QStringLiteral("„%1“ није сачуван: %2.").arg(QFileInfo(path).fileName(), file.errorString()));
    return false;
}
