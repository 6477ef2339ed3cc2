#include "import/importfields.h"

const ImportTarget &ImportTarget::articles()
{
    // Article columns: 1 name, 2 barcode, 3 department, 4 price, 5 tax, 6 quantity, 7 group.
    static const ImportTarget t{Articles, 4000, 10, 36, 99'999'999'999ll, {0, 1, 2, 3, 4, 5, 6, 7}};
    return t;
}

const ImportTarget &ImportTarget::departments()
{
    // Department columns: 1 name, 2 price, 3 group, 4 tax; 18 name characters reach the register,
    // and the price travels as 32 bits of hundredths.
    static const ImportTarget t{Departments, 8, 6, 18, 4'294'967'295ll, {0, 1, -1, -1, 2, 4, -1, 3}};
    return t;
}

QString ImportTarget::title(ImportField field)
{
    static const QString titles[] = {
        QStringLiteral("Број"),  QStringLiteral("Назив"), QStringLiteral("Бар-код"),  QStringLiteral("Одељење"),
        QStringLiteral("Цена"),  QStringLiteral("Порез"), QStringLiteral("Количина"), QStringLiteral("Група"),
    };
    return titles[int(field)];
}

QString ImportTarget::key(ImportField field)
{
    static const char *keys[] = {"number", "name", "barcode", "department", "price", "tax", "quantity", "group"};
    return QString::fromLatin1(keys[int(field)]);
}

QList<ImportField> ImportTarget::all()
{
    QList<ImportField> fields;
    for (int f = 0; f < ImportFieldCount; ++f)
        fields << ImportField(f);
    return fields;
}
