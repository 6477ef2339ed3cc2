#include "app/laterboxes.h"

#include "app/gridsetup.h"
#include "app/uistyle.h"
#include "params/common/exchangebuttons.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QPushButton *exchangeButton(const char *name, bool read, ExchangeButtons &buttons, QWidget *parent)
{
    auto *b = new QPushButton(read ? QStringLiteral("Читање из касе") : QStringLiteral("Унос у касу"), parent);
    b->setObjectName(QString::fromLatin1(name));
    buttons.add(b, read);
    return b;
}

// A text grid: row 0 and column 0 fixed, every other cell editable.
QStandardItemModel *textGrid(int columns, int rows, QObject *parent)
{
    auto *model = new QStandardItemModel(rows, columns, parent);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            auto *item = new QStandardItem;
            if (r == 0 || c == 0)
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            model->setItem(r, c, item);
        }
    return model;
}

void setRow(QStandardItemModel *model, int row, const QStringList &cells)
{
    for (int c = 0; c < cells.size(); ++c)
        model->item(row, c)->setText(cells[c]);
}

QTableView *gridView(const char *name, QStandardItemModel *model, QWidget *parent)
{
    auto *view = new QTableView(parent);
    view->setObjectName(QString::fromLatin1(name));
    GridSetup::configure(view, model);
    UiStyle::markData(view);
    return view;
}

QHBoxLayout *buttonRow(QPushButton *read, QPushButton *write)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(read);
    row->addWidget(write);
    return row;
}

} // namespace

namespace LaterBoxes {

QGroupBox *groups(ExchangeButtons &buttons, const Regional &regional, QWidget *parent)
{
    auto *box = new QGroupBox(QStringLiteral("Групе"), parent);
    box->setObjectName(QStringLiteral("GBGroups"));
    auto *model = textGrid(4, 14, box);
    setRow(model, 0, {QStringLiteral("Број"), QStringLiteral("Назив"), QStringLiteral("Приход(%)"),
                      QStringLiteral("Промет")});
    const QString zero = QStringLiteral("0") + regional.decimal + QStringLiteral("00");
    for (int r = 1; r <= 13; ++r)
        setRow(model, r, {QString::number(r - 1), QStringLiteral("Група %1").arg(r - 1), zero, zero});
    auto *view = gridView("sgGrupe", model, box);
    view->setColumnWidth(0, 34);
    view->setColumnWidth(1, 120);
    auto *layout = new QVBoxLayout(box);
    layout->addWidget(view);
    layout->addLayout(buttonRow(exchangeButton("BtnGRead", true, buttons, box),
                                exchangeButton("BtnGWrite", false, buttons, box)));
    return box;
}

QGroupBox *operators(ExchangeButtons &buttons, QWidget *parent)
{
    auto *box = new QGroupBox(QStringLiteral("Оператери"), parent);
    box->setObjectName(QStringLiteral("GBOperateri"));
    auto *model = textGrid(19, 26, box);
    QStringList header = {QStringLiteral("Број"), QStringLiteral("Име"), QStringLiteral("Лозинка")};
    for (const char *kind : {"Сума прихода", "Служ.унос", "Служ.излаз"})
        for (int k = 0; k < 5; ++k)
            header << QStringLiteral("%1 %2").arg(QString::fromUtf8(kind)).arg(k);
    header << QStringLiteral("Корекција");
    setRow(model, 0, header);
    for (int r = 1; r <= 25; ++r)
        model->item(r, 0)->setText(QString::number(r));
    auto *view = gridView("SGOperateri", model, box);
    view->setColumnWidth(0, 34);
    view->setColumnWidth(1, 110);
    auto *layout = new QVBoxLayout(box);
    layout->addWidget(view);
    layout->addLayout(buttonRow(exchangeButton("BtnORead", true, buttons, box),
                                exchangeButton("BtnOWrite", false, buttons, box)));
    return box;
}

QGroupBox *logo(ExchangeButtons &buttons, QWidget *parent)
{
    auto *box = new QGroupBox(QStringLiteral("Графички лого трговца (ЦБ 216x198 тачке) : "), parent);
    box->setObjectName(QStringLiteral("GBLogo"));
    auto *image = new QLabel(box);
    image->setObjectName(QStringLiteral("imgGraphLogo"));
    image->setFixedSize(216, 198);
    image->setFrameShape(QFrame::Box);
    auto *open = new QPushButton(QStringLiteral("Учитавање лога са фаjла"), box);
    open->setObjectName(QStringLiteral("btnLogoOpen"));
    auto *print = new QCheckBox(box);
    print->setObjectName(QStringLiteral("chbLogo"));
    print->hide();
    auto *printLabel = new QLabel(QStringLiteral("Штампање графичког лога?"), box);
    printLabel->setObjectName(QStringLiteral("chbLogoLabel"));
    printLabel->hide();
    // The logo write is usable as soon as the port opens.
    auto *read = exchangeButton("btnLogoRead", true, buttons, box);
    auto *write = new QPushButton(QStringLiteral("Унос у касу"), box);
    write->setObjectName(QStringLiteral("btnLogoWrite"));
    buttons.add(write, true);
    auto *side = new QVBoxLayout;
    side->addWidget(open);
    side->addStretch();
    side->addWidget(read);
    side->addWidget(write);
    auto *layout = new QHBoxLayout(box);
    layout->addWidget(image, 0, Qt::AlignTop);
    layout->addLayout(side);
    return box;
}

QGroupBox *passwords(ExchangeButtons &buttons, QWidget *parent)
{
    auto *box = new QGroupBox(QStringLiteral("Лозинке"), parent);
    box->setObjectName(QStringLiteral("GBLozinke"));
    auto *layout = new QGridLayout(box);
    auto field = [&](const char *labelName, const char *caption, const char *editName, int row) {
        auto *label = new QLabel(QString::fromUtf8(caption), box);
        label->setObjectName(QString::fromLatin1(labelName));
        auto *edit = new QLineEdit(box);
        edit->setObjectName(QString::fromLatin1(editName));
        UiStyle::markData(edit, true);
        layout->addWidget(label, row, 0);
        layout->addWidget(edit, row + 1, 0);
    };
    field("LblPassServ", "Сервисна лозинка:", "EdtPassServ", 0);
    field("LblPassIzv", "Лозинка за извештаје:", "EdtPassIzv", 2);
    layout->addLayout(buttonRow(exchangeButton("BtnLozinkaRead", true, buttons, box),
                                exchangeButton("BtnLozinkaWrite", false, buttons, box)),
                      4, 0);
    layout->setRowStretch(5, 1);
    return box;
}

} // namespace LaterBoxes
