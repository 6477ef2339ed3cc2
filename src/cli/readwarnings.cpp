#include "cli/readwarnings.h"

#include "catalogue/familycatalogue.h"
#include "cli/differencetext.h"
#include "params/operators/operatorrecord.h"

namespace ReadWarnings {

QStringList of(const RegisterProfile &profile)
{
    QStringList warnings;
    if (!profile.operators)
        return warnings;
    // Operator rows: number, name, password.
    for (int index = 0; index < profile.operators->size(); ++index) {
        const QStringList &row = profile.operators->at(index);
        const QString password = row.value(2);
        if (password.size() <= OperatorRecord::MaxPasswordLength)
            continue;
        const QString name = row.value(1).isEmpty() ? QString() : QStringLiteral(" (%1)").arg(row.value(1));
        warnings << QStringLiteral("%1%2: лозинка у каси има %3 цифара, а упис дозвољава највише %4; упис овог "
                                   "профила стаће код овог оператера док се лозинка у operators.csv не скрати.")
                        .arg(DifferenceText::recordName(FamilyCatalogue::key(FamilyId::Operators), index), name)
                        .arg(password.size())
                        .arg(OperatorRecord::MaxPasswordLength);
    }
    return warnings;
}

} // namespace ReadWarnings
