#pragma once

#include "link/exchangedriver.h"
#include "transfer/familycontext.h"
#include "support/fakelink.h"

// A hand-driven register link and the context a family is built on. Test
// fixtures derive from it (before their family members) to share the setup.
struct FamilyLink {
    explicit FamilyLink(const Regional &regional = Regional::comma()) : ctx{driver, regional} {}

    FakePort port;
    FakeTimer timer;
    ExchangeDriver driver{port, timer};
    FamilyContext ctx;
};
