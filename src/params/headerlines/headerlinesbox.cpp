#include "params/headerlines/headerlinesbox.h"

#include "params/common/familybox.h"
#include "params/common/exchangebuttons.h"
#include "params/headerlines/headerlinefamily.h"
#include "params/headerlines/typedlengthlimit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
struct LineField {
    const char *field;
    const char *caption;
};
// Line index order: the left column first, then the right column.
const LineField Lines[HeaderLineFamily::LineCount] = {
    {"edtFTop", "Први ред"},   {"edtSTop", "Други ред"},  {"edtFBottom", "Трећи ред"}, {"edtSBottom", "Четврти ред"},
    {"edtRed4", "Пети ред"},   {"edtRed5", "Шести ред"},  {"edtRed6", "Седми ред"},   {"edtRed7", "Осми ред"},
};
} // namespace

HeaderLinesBox::HeaderLinesBox(HeaderLineFamily &family, ExchangeButtons &buttons, QWidget *parent)
    : QGroupBox(QStringLiteral("Заглавље и поруке"), parent)
{
    setObjectName(QStringLiteral("GBKlishe"));
    auto *grid = new QGridLayout;
    grid->setVerticalSpacing(1);
    for (int i = 0; i < HeaderLineFamily::LineCount; ++i) {
        auto *label = new QLabel(QString::fromUtf8(Lines[i].caption), this);
        label->setObjectName(QStringLiteral("lbl") + QString::fromLatin1(Lines[i].field));
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(Lines[i].field));
        // The main window gives data fields their look; these are bold.
        edit->setProperty("dataLook", QStringLiteral("bold"));
        new TypedLengthLimit(edit, HeaderLineFamily::TypedLimit);
        edit->setText(family.line(i));
        const int column = i / 4;
        const int row = (i % 4) * 2;
        grid->addWidget(label, row, column);
        grid->addWidget(edit, row + 1, column);
        m_fields[i] = edit;
        connect(edit, &QLineEdit::textChanged, &family, [&family, edit, i] { family.setLine(i, edit->text()); });
    }
    connect(&family, &HeaderLineFamily::lineRead, this, [this](int index, const QString &text) {
        if (index >= 0 && index < HeaderLineFamily::LineCount)
            m_fields[index]->setText(text);
    });

    m_read = new QPushButton(QStringLiteral("Читање из касе"), this);
    m_read->setObjectName(QStringLiteral("btnReadCliche"));
    m_write = new QPushButton(QStringLiteral("Унос у касу"), this);
    m_write->setObjectName(QStringLiteral("btnWriteCliche"));
    buttons.add(m_read, true);
    buttons.add(m_write, false);
    FamilyBox::tag(this, family, m_write);
    connect(m_read, &QPushButton::clicked, &family, &HeaderLineFamily::btnReadClicheClick);
    connect(m_write, &QPushButton::clicked, &family, &HeaderLineFamily::btnWriteClicheClick);
    connect(&family, &HeaderLineFamily::readStarted, &buttons, [&buttons, w = m_write] { buttons.allow(w); });

    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_read);
    row->addWidget(m_write);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(row);
    layout->addStretch();
}
