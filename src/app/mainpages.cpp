#include "app/mainpages.h"

#include "params/articles/articlesbox.h"
#include "params/departments/departmentsbox.h"
#include "params/common/gridbox.h"
#include "params/groups/groupfamily.h"
#include "params/headerlines/headerlinesbox.h"
#include "params/logo/logobox.h"
#include "params/operators/operatorfamily.h"
#include "params/passwords/passwordsbox.h"
#include "params/taxrates/taxratesbox.h"
#include "session/registersession.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace MainPages {

namespace {
// The scroll area that is the page, and the widget that holds its boxes.
QWidget *scrolledPage(const char *name, QWidget *parent, QWidget **contents)
{
    auto *area = new QScrollArea(parent);
    area->setObjectName(QLatin1String(name));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    *contents = new QWidget(area);
    (*contents)->setObjectName(QLatin1String(name) + QStringLiteral("Contents"));
    area->setWidget(*contents);
    return area;
}
} // namespace

FirstPage createFirst(RegisterSession &session, ExchangeButtons &buttons, QWidget *parent)
{
    FirstPage first;
    QWidget *contents = nullptr;
    first.page = scrolledPage("TabCompany", parent, &contents);
    first.headerLines = new HeaderLinesBox(session.headerLines(), buttons, contents);
    first.taxRates = new TaxRatesBox(session.taxRates(), buttons, contents);
    auto *layout = new QHBoxLayout(contents);
    layout->addWidget(first.headerLines, 1, Qt::AlignTop);
    layout->addWidget(first.taxRates, 0, Qt::AlignTop);
    return first;
}

QWidget *createSecond(RegisterSession &session, ExchangeButtons &buttons, QWidget *parent)
{
    QWidget *contents = nullptr;
    QWidget *page = scrolledPage("tabTaxGroups", parent, &contents);
    auto *layout = new QVBoxLayout(contents);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    // The eight departments take what they need; the articles the rest.
    layout->addWidget(new DepartmentsBox(session.departments(), buttons, contents), 0);
    layout->addWidget(new ArticlesBox(session.articles(), buttons, contents), 1);
    return page;
}

QWidget *createThird(RegisterSession &session, ExchangeButtons &buttons, QWidget *parent)
{
    QWidget *contents = nullptr;
    QWidget *page = scrolledPage("tabOperators", parent, &contents);
    auto *grid = new QGridLayout(contents);
    grid->addWidget(
        new GridBox(session.groups(), &GroupFamily::BtnGReadClick, &GroupFamily::BtnGWriteClick, buttons, contents), 0,
        0);
    grid->addWidget(new LogoBox(session.logo(), buttons, contents), 0, 1);
    grid->addWidget(new GridBox(session.operators(), &OperatorFamily::BtnOReadClick, &OperatorFamily::BtnOWriteClick,
                                buttons, contents),
                    1, 0);
    grid->addWidget(new PasswordsBox(session.passwords(), buttons, contents), 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(1, 1);
    return page;
}

QList<QPushButton *> createPageButtons(QHBoxLayout *row, QWidget *parent)
{
    row->setSpacing(2);
    const QStringList captions = {QStringLiteral("Подаци о трговцу,пореске стопе:"),
                                  QStringLiteral("Одељења, артикли"), QStringLiteral("Лого,Групе,Оператери")};
    const char *names[] = {"btPage1", "btPage2", "btPage3"};
    QList<QPushButton *> buttons;
    for (int i = 0; i < 3; ++i) {
        auto *b = new QPushButton(captions[i], parent);
        b->setObjectName(QString::fromLatin1(names[i]));
        b->setCheckable(true);
        b->setAutoExclusive(true);
        buttons << b;
        row->addWidget(b);
    }
    row->addStretch();
    return buttons;
}

} // namespace MainPages
