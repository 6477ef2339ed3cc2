#include "params/logo/logobox.h"

#include "params/common/familybox.h"
#include "params/common/exchangebuttons.h"
#include "widgets/filedialogs.h"
#include "params/logo/logofamily.h"
#include "params/logo/logopicture.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

LogoBox::LogoBox(LogoFamily &family, ExchangeButtons &buttons, QWidget *parent)
    : QGroupBox(QStringLiteral("Графички лого трговца (ЦБ 216x198 тачке) : "), parent), m_family(family)
{
    setObjectName(QStringLiteral("GBLogo"));

    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("imgGraphLogo"));
    m_image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_image->setFrameShape(QFrame::NoFrame);
    showPicture();
    connect(&family, &LogoFamily::pictureChanged, this, &LogoBox::showPicture);

    m_open = new QPushButton(QStringLiteral("Учитавање лога са фаjла"), this);
    m_open->setObjectName(QStringLiteral("btnLogoOpen"));
    connect(m_open, &QPushButton::clicked, this, &LogoBox::btnLogoOpenClick);

    m_read = new QPushButton(QStringLiteral("Читање из касе"), this);
    m_read->setObjectName(QStringLiteral("btnLogoRead"));
    m_write = new QPushButton(QStringLiteral("Унос у касу"), this);
    m_write->setObjectName(QStringLiteral("btnLogoWrite"));
    // Both are usable as soon as the port opens.
    buttons.add(m_read, true);
    buttons.add(m_write, true);
    FamilyBox::tag(this, family, m_write);
    connect(m_read, &QPushButton::clicked, &family, &LogoFamily::btnLogoReadClick);
    connect(m_write, &QPushButton::clicked, &family, &LogoFamily::btnLogoWriteClick);

    m_print = new QCheckBox(this);
    m_print->setObjectName(QStringLiteral("chbLogo"));
    m_print->hide();
    auto *printLabel = new QLabel(QStringLiteral("Штампање графичког лога?"), this);
    printLabel->setObjectName(QStringLiteral("chbLogoLabel"));
    printLabel->hide();

    // The image area keeps the room of the largest logo, so the buttons do
    // not move when a smaller picture is shown.
    auto *imageArea = new QVBoxLayout;
    imageArea->addWidget(m_image, 0, Qt::AlignLeft | Qt::AlignTop);
    imageArea->addStretch();
    auto *imageFrame = new QWidget(this);
    imageFrame->setLayout(imageArea);
    imageArea->setContentsMargins(0, 0, 0, 0);
    imageFrame->setMinimumSize(LogoPicture::Width, LogoPicture::MaxHeight);

    auto *side = new QVBoxLayout;
    side->addWidget(m_open);
    side->addStretch();
    side->addWidget(m_read);
    side->addWidget(m_write);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(imageFrame, 0, Qt::AlignTop);
    layout->addLayout(side);
}

QString LogoBox::pictureFilter()
{
    return QStringLiteral("Слике (*.bmp *.png *.jpg *.jpeg *.gif);;BMP (*.bmp);;PNG (*.png)");
}

void LogoBox::btnLogoOpenClick()
{
    const QString path = FileDialogs::askOpenPicturePath(this, pictureFilter());
    if (path.isEmpty())
        return;
    m_family.loadPictureFile(path);
}

void LogoBox::showPicture()
{
    const QImage &picture = m_family.picture();
    m_image->setPixmap(QPixmap::fromImage(picture));
    m_image->setFixedSize(picture.size());
}
