#include "app/messagedialog.h"

#include <QFont>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

MessageDialog::MessageDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Dialog"));
    setFixedSize(386, 137);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(true);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(13);
    setFont(arial);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("Naslov"));
    m_title->setGeometry(8, 0, 361, 20);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setAutoFillBackground(true);
    QPalette titlePalette = m_title->palette();
    titlePalette.setColor(QPalette::WindowText, Qt::blue);
    m_title->setPalette(titlePalette);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("tekst"));
    m_text->setGeometry(8, 29, 361, 41);
    m_text->setReadOnly(true);
    m_text->setFrameShape(QFrame::NoFrame);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    m_button = new QPushButton(QStringLiteral("У РЕДУ"), this);
    m_button->setObjectName(QStringLiteral("Button1"));
    m_button->setGeometry(152, 78, 80, 24);
    m_button->setDefault(true);
    connect(m_button, &QPushButton::clicked, this, &QDialog::accept);
    setTabOrder(m_text, m_button);
}

QString MessageDialog::title() const { return m_title->text(); }
QString MessageDialog::text() const { return m_text->toPlainText(); }

void MessageDialog::showEvent(QShowEvent *event)
{
    m_button->setText(QStringLiteral("У РЕДУ"));
    m_button->move(152, m_button->y());
    QDialog::showEvent(event);
}

void MessageDialog::showMessage(const QString &title, const QString &text)
{
    m_queue.append({title, text});
    if (m_showing)
        return;
    m_showing = true;
    while (!m_queue.isEmpty()) {
        const auto next = m_queue.takeFirst();
        m_text->setPlainText(next.second);
        m_title->setText(next.first);
        m_history.append(next);
        emit messageShown(next.first, next.second);
        if (!m_nonBlocking) {
            if (parentWidget())
                move(parentWidget()->geometry().center() - rect().center());
            exec();
        }
    }
    m_showing = false;
}
