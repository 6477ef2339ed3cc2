#include "app/headerstrip.h"

#include "app/portcombobox.h"
#include "app/uistyle.h"
#include "vilaronversion.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
template <typename W, typename... Args>
W *named(const char *name, Args &&...args)
{
    auto *w = new W(std::forward<Args>(args)...);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
} // namespace

HeaderStrip::HeaderStrip(QWidget *parent) : QWidget(parent)
{
    m_title = named<QLabel>("lblNaslov", QStringLiteral("Параметризација фискалне касе \"Виларон\""), this);
    m_title->setAlignment(Qt::AlignCenter);
    QPalette titlePalette = m_title->palette();
    titlePalette.setColor(QPalette::WindowText, UiStyle::dataText(titlePalette.color(QPalette::Window)));
    m_title->setPalette(titlePalette);
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    // The window caption is fixed; the version of this build shows here.
    auto *version = named<QLabel>("lblVersion", QStringLiteral("верзија %1").arg(QLatin1String(VilaronVersion)), this);
    version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    version->setEnabled(false);

    auto *label1 = named<QLabel>("Label1", QStringLiteral("Сер.бр.касе"), this);
    m_serial = named<QLineEdit>("EdtId", this);
    m_serial->setFixedWidth(qMax(90, m_serial->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 16));
    UiStyle::markData(m_serial, true);
    m_endDialogue = named<QPushButton>("BtnEndDialog", QStringLiteral("Крај дијалога"), this);
    m_endDialogue->setEnabled(false);

    auto *label20 = named<QLabel>("Label20", QStringLiteral("Комуникациони порт :"), this);
    m_registerPort = named<PortComboBox>("CB_ComPort", this);
    m_registerButton = named<QPushButton>("btnCOM", QStringLiteral("Отвори порт"), this);
    m_findRegister = named<QPushButton>("btnFindRegister", QStringLiteral("Пронађи касу"), this);
    m_findRegister->setToolTip(QStringLiteral("Тражи касу са уписаним серијским бројем на свим серијским портовима"));
    m_traceButton = named<QPushButton>("btnTrace", QStringLiteral("Праћење везе"), this);
    m_traceButton->setToolTip(QStringLiteral("Сви оквири на вези са касом (Ctrl+T)"));
    auto *label48 = named<QLabel>("Label48", QStringLiteral("Порт Баркод читача:"), this);
    m_scannerPort = named<PortComboBox>("cbBCCom", this);
    m_scannerButton = named<QPushButton>("btnBCCom", QStringLiteral("Отвори порт"), this);

    m_close = named<QPushButton>("btnClose", QStringLiteral("Излаз"), this);
    m_close->setMinimumSize(80, 44);
    m_close->setStyleSheet(QStringLiteral("QPushButton#btnClose { background-color: #d01010; color: white;"
                                          " font-weight: bold; border: 1px solid #700000; border-radius: 3px; }"
                                          "QPushButton#btnClose:pressed { background-color: #a00000; }"));

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->addWidget(label1, 0, 0);
    grid->addWidget(m_serial, 1, 0);
    grid->addWidget(m_endDialogue, 1, 1);
    grid->addWidget(label20, 0, 3, 1, 2);
    grid->addWidget(m_registerPort, 1, 3);
    auto *portButtons = new QHBoxLayout;
    portButtons->setSpacing(4);
    portButtons->addWidget(m_registerButton);
    portButtons->addWidget(m_findRegister);
    grid->addLayout(portButtons, 1, 4);
    grid->addWidget(m_traceButton, 1, 5);
    grid->addWidget(label48, 0, 6, 1, 2);
    grid->addWidget(m_scannerPort, 1, 6);
    grid->addWidget(m_scannerButton, 1, 7);
    grid->setColumnMinimumWidth(2, 12);
    grid->setColumnMinimumWidth(5, 12);
    grid->setColumnStretch(8, 1);

    auto *row = new QHBoxLayout;
    row->addLayout(grid, 1);
    row->addWidget(m_close, 0, Qt::AlignRight | Qt::AlignVCenter);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    auto *titleRow = new QGridLayout;
    titleRow->addWidget(m_title, 0, 0);
    titleRow->addWidget(version, 0, 0, Qt::AlignRight);
    layout->addLayout(titleRow);
    layout->addLayout(row);
}
