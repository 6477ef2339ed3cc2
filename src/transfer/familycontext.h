#pragma once

#include "link/exchangedriver.h"
#include "core/regional.h"

// What every parameter family is given by the main window.
struct FamilyContext {
    ExchangeDriver &driver;
    Regional regional;
};
