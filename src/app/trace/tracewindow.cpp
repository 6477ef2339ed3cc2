#include "app/trace/tracewindow.h"

#include "app/trace/hexcelldelegate.h"
#include "app/trace/tracemodel.h"
#include "link/tracefile.h"
#include "link/traceformat.h"
#include "link/tracerecorder.h"
#include "widgets/filedialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateTime>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const QString Title = QStringLiteral("Праћење везе");
const QString SaveFailedTitle = QStringLiteral("ГРЕШКА");
const QString TextFilter = QStringLiteral("Текстуални фајлови (*.txt);;Сви фајлови (*)");
} // namespace

TraceWindow::TraceWindow(TraceRecorder &recorder, Source source, QWidget *parent)
    : QWidget(parent, Qt::Window), m_recorder(recorder), m_source(std::move(source))
{
    setObjectName(QStringLiteral("frmTrace"));
    setWindowTitle(Title);
    resize(900, 600);

    m_model = new TraceModel(recorder, this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("tvTrace"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    // Fixed row heights keep a 100 000-row table as fast as a short one.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setItemDelegateForColumn(TraceFormat::Bytes, new HexCellDelegate(m_table));
    const QFontMetrics fm(m_table->font());
    m_table->setColumnWidth(TraceFormat::Time, fm.horizontalAdvance(QStringLiteral("00:00:00.000 ")) + 12);
    m_table->setColumnWidth(TraceFormat::SinceMs, fm.horizontalAdvance(QStringLiteral("000000 ")) + 12);
    m_table->setColumnWidth(TraceFormat::Direction, fm.horizontalAdvance(QStringLiteral("Смер ")) + 12);
    m_table->setColumnWidth(TraceFormat::CommandName,
                            fm.horizontalAdvance(QStringLiteral("103 читање лога и лозинки ")) + 12);
    m_table->setColumnWidth(TraceFormat::Length, fm.horizontalAdvance(QStringLiteral("000 ")) + 12);

    m_frame = new QPlainTextEdit(this);
    m_frame->setObjectName(QStringLiteral("txtTraceFrame"));
    m_frame->setReadOnly(true);
    m_frame->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto *save = new QPushButton(QStringLiteral("Сачувај..."), this);
    save->setObjectName(QStringLiteral("btnTraceSave"));
    auto *clear = new QPushButton(QStringLiteral("Обриши"), this);
    clear->setObjectName(QStringLiteral("btnTraceClear"));
    m_follow = new QCheckBox(QStringLiteral("Прати најновије"), this);
    m_follow->setObjectName(QStringLiteral("chkTraceFollow"));
    m_follow->setChecked(true);
    m_secrets = new QCheckBox(QStringLiteral("Прикажи лозинке"), this);
    m_secrets->setObjectName(QStringLiteral("chkTraceSecrets"));
    m_dropped = new QLabel(this);
    m_dropped->setObjectName(QStringLiteral("lblTraceDropped"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(clear);
    buttons->addWidget(m_follow);
    buttons->addWidget(m_secrets);
    buttons->addStretch(1);
    buttons->addWidget(m_dropped);

    auto *split = new QSplitter(Qt::Vertical, this);
    split->addWidget(m_table);
    split->addWidget(m_frame);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(split, 1);

    connect(save, &QPushButton::clicked, this, &TraceWindow::btnTraceSaveClick);
    connect(clear, &QPushButton::clicked, this, &TraceWindow::btnTraceClearClick);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TraceWindow::showSelectedFrame);
    connect(m_model, &TraceModel::rowsAppended, this, [this] {
        updateDroppedNote();
        followNewest();
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        updateDroppedNote();
        m_frame->clear();
    });
    connect(m_follow, &QCheckBox::toggled, this, &TraceWindow::followNewest);
    connect(m_secrets, &QCheckBox::toggled, this, [this](bool shown) {
        m_model->setSecrets(shown ? TraceFormat::Secrets::Shown : TraceFormat::Secrets::Hidden);
        showSelectedFrame();
    });
    // The view would copy only its current cell; the trace copies whole rows.
    m_table->installEventFilter(this);
    updateDroppedNote();
}

bool TraceWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_table && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        QGuiApplication::clipboard()->setText(selectedText());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TraceWindow::followNewest()
{
    if (m_follow->isChecked() && m_model->rowCount() > 0)
        m_table->scrollToBottom();
}

void TraceWindow::updateDroppedNote()
{
    const qint64 dropped = m_recorder.droppedCount();
    m_dropped->setText(dropped > 0 ? QStringLiteral("Најстаријих догађаја изостављено: %1").arg(dropped)
                                   : QString());
}

void TraceWindow::showSelectedFrame()
{
    const int event = m_model->eventIndex(m_table->currentIndex().row());
    m_frame->setPlainText(event < 0 ? QString()
                                    : TraceFormat::decodeFrame(m_recorder.at(event).bytes, m_model->secrets()));
}

QString TraceWindow::selectedText() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    QString text;
    for (int row : rows) {
        const int event = m_model->eventIndex(row);
        if (event >= 0)
            text += TraceFormat::line(m_recorder.at(event)) + QLatin1Char('\n');
    }
    return text;
}

void TraceWindow::btnTraceSaveClick()
{
    const QString serial = m_source.serial ? m_source.serial() : QString();
    const QString defaultName = QStringLiteral("trace_") + serial + QLatin1Char('_')
                                + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))
                                + QStringLiteral(".txt");
    const QString path = FileDialogs::askSavePath(this, defaultName, TextFilter, QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    TraceFormat::Header header;
    header.program = m_source.program ? m_source.program() : QCoreApplication::applicationName();
    header.port = m_source.port ? m_source.port() : QString();
    header.serial = serial;
    header.startedMs = m_recorder.startedMs();
    QString error;
    if (!TraceFile::save(path, header, m_recorder, &error)) {
        emit message(SaveFailedTitle, error);
        return;
    }
    emit status(QStringLiteral("Праћење везе сачувано у %1").arg(path));
}

void TraceWindow::btnTraceClearClick()
{
    m_recorder.clear();
}
