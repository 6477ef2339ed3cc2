#pragma once

#include "catalogue/familyid.h"

#include <functional>
#include <memory>

class ParameterFamily;
struct FamilyContext;

// How the session makes each family of the catalogue: one constructor per
// family. A family made later may ask for one made before it (the passwords
// share the logo's record).
using FamilyFinder = std::function<ParameterFamily *(FamilyId)>;
using FamilyFactory = std::function<std::unique_ptr<ParameterFamily>(FamilyContext &, const FamilyFinder &)>;

namespace FamilyFactories {

// The constructor of a family, or an empty function for none.
FamilyFactory of(FamilyId id);
// A family known only to a test or a plug-in (with its description added
// to the catalogue).
void add(FamilyId id, FamilyFactory factory);
void remove(FamilyId id);

} // namespace FamilyFactories
