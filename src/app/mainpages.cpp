#include "app/mainpages.h"

#include "params/articles/articlesbox.h"
#include "params/departments/departmentsbox.h"
#include "params/groups/groupsbox.h"
#include "params/headerlines/headerlinesbox.h"
#include "params/logo/logobox.h"
#include "params/operators/operatorsbox.h"
#include "params/passwords/passwordsbox.h"
#include "params/taxrates/taxratesbox.h"
#include "session/registersession.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace MainPages {

FirstPage createFirst(RegisterSession &session, ExchangeButtons &buttons)
{
    FirstPage first;
    first.page = new QWidget;
    first.page->setObjectName(QStringLiteral("TabCompany"));
    first.headerLines = new HeaderLinesBox(session.headerLines(), buttons, first.page);
    first.taxRates = new TaxRatesBox(session.taxRates(), buttons, first.page);
    auto *layout = new QHBoxLayout(first.page);
    layout->addWidget(first.headerLines, 1, Qt::AlignTop);
    layout->addWidget(first.taxRates, 0, Qt::AlignTop);
    return first;
}

QWidget *createSecond(RegisterSession &session, ExchangeButtons &buttons)
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tabTaxGroups"));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(new DepartmentsBox(session.departments(), buttons, page), 4);
    layout->addWidget(new ArticlesBox(session.articles(), buttons, page), 5);
    return page;
}

QWidget *createThird(RegisterSession &session, ExchangeButtons &buttons)
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tabOperators"));
    auto *grid = new QGridLayout(page);
    grid->addWidget(new GroupsBox(session.groups(), buttons, page), 0, 0);
    grid->addWidget(new LogoBox(session.logo(), buttons, page), 0, 1);
    grid->addWidget(new OperatorsBox(session.operators(), buttons, page), 1, 0);
    grid->addWidget(new PasswordsBox(session.passwords(), buttons, page), 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(1, 1);
    return page;
}

} // namespace MainPages
