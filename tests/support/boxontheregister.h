#pragma once

#include "params/common/exchangebuttons.h"
#include "transfer/familycontext.h"
#include "support/namedchild.h"
#include "support/registerharness.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <string>

// A family and its group box on the real link stack against the simulated
// register; the test parameter is the decimal separator.
template <typename Family, typename Box>
class BoxOnTheRegister : public ::testing::TestWithParam<QChar> {
protected:
    explicit BoxOnTheRegister(const RegisterState &initial = RegisterState::blank()) : h(initial) {}

    RegisterHarness h;
    FamilyContext ctx{h.driver, Regional::withDecimal(GetParam())};
    Family family{ctx};
    ExchangeButtons buttons;
    Box box{family, buttons};

    // Opens the register port and shows the box at the given size.
    void openAndShow(int width, int height)
    {
        h.watch(family);
        QString error;
        ASSERT_TRUE(h.open(&error)) << error.toStdString();
        buttons.setPortOpen(true);
        box.resize(width, height);
        box.show();
    }

    template <typename W>
    W *child(const char *name) { return namedChild<W>(box, name); }
    void click(const char *name)
    {
        auto *b = child<QPushButton>(name);
        ASSERT_NE(b, nullptr);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    bool waitForStatus(const QString &text, int timeoutMs = 60000)
    {
        return RegisterHarness::waitFor([&] { return h.status == text; }, timeoutMs);
    }
};

// The test name part for the separator parameter.
inline std::string separatorName(const ::testing::TestParamInfo<QChar> &info)
{
    return info.param == QLatin1Char(',') ? "comma" : "point";
}
