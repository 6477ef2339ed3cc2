#pragma once

#include "sim/registerstate.h"

// A register whose every article differs from its neighbours: article n is
// "Артикал n" (every tenth name blank when asked), with its own barcode, tax,
// group, department, price, stock and sales.
inline RegisterState filledArticleRegister(bool blankEveryTenthName = false)
{
    RegisterState state = RegisterState::blank();
    for (int n = 0; n < RegisterState::ArticleCount; ++n) {
        RegisterArticle &a = state.articles[std::size_t(n)];
        const bool blank = blankEveryTenthName && n % 10 == 9;
        a.name = RegisterState::articleNameField(blank ? QString() : QStringLiteral("Артикал %1").arg(n));
        a.barcode = RegisterState::packBarcode(QString::number(8600000000000LL + n));
        a.tax = quint8(n % 9);
        a.groupDepartment = quint8((n % 13) << 4 | (n % 8));
        a.price = quint32(n * 7 + 1);
        a.stock = (n - 2000) * 3;
        a.sold = quint32(n);
        a.turnover = RegisterAmount{quint32(n), quint8(n % 100)};
    }
    return state;
}
