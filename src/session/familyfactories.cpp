#include "session/familyfactories.h"

#include "params/articles/articlefamily.h"
#include "params/departments/departmentfamily.h"
#include "params/groups/groupfamily.h"
#include "params/headerlines/headerlinefamily.h"
#include "params/logo/logofamily.h"
#include "params/operators/operatorfamily.h"
#include "params/passwords/passwordfamily.h"
#include "params/taxrates/taxratefamily.h"

#include <QHash>

namespace {

template <typename Family>
FamilyFactory plain()
{
    return [](FamilyContext &ctx, const FamilyFinder &) { return std::make_unique<Family>(ctx); };
}

QHash<FamilyId, FamilyFactory> &factories()
{
    // One line per family of the register.
    static QHash<FamilyId, FamilyFactory> made = {
        {FamilyId::Header, plain<HeaderLineFamily>()},
        {FamilyId::Taxes, plain<TaxRateFamily>()},
        {FamilyId::Departments, plain<DepartmentFamily>()},
        {FamilyId::Articles, plain<ArticleFamily>()},
        {FamilyId::Groups, plain<GroupFamily>()},
        {FamilyId::Operators, plain<OperatorFamily>()},
        {FamilyId::Logo, plain<LogoFamily>()},
        {FamilyId::Passwords,
         [](FamilyContext &ctx, const FamilyFinder &find) -> std::unique_ptr<ParameterFamily> {
             auto *logo = static_cast<LogoFamily *>(find(FamilyId::Logo));
             return std::make_unique<PasswordFamily>(ctx, logo->record());
         }},
    };
    return made;
}

} // namespace

namespace FamilyFactories {

FamilyFactory of(FamilyId id) { return factories().value(id); }

void add(FamilyId id, FamilyFactory factory) { factories().insert(id, std::move(factory)); }

void remove(FamilyId id) { factories().remove(id); }

} // namespace FamilyFactories
