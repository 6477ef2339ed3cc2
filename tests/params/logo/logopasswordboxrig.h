#pragma once

#include "params/logo/logofamily.h"
#include "params/passwords/passwordfamily.h"
#include "support/boxontheregister.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <type_traits>

inline QString u(const char *text) { return QString::fromUtf8(text); }

// The group box of the logo or of the passwords on the real link stack
// against the simulated register. Both families are built, as in the program:
// they share the 103/104 record.
template <typename Box, typename Family>
class LogoPasswordBoxOnTheRegister : public ::testing::TestWithParam<QChar> {
protected:
    RegisterHarness h{RegisterState::demo()};
    FamilyContext ctx{h.driver, Regional::withDecimal(GetParam())};
    LogoFamily logo{ctx};
    PasswordFamily passwords{ctx, logo.record()};
    ExchangeButtons buttons;
    Box box{owner(), buttons};

    Family &owner()
    {
        if constexpr (std::is_same_v<Family, LogoFamily>)
            return logo;
        else
            return passwords;
    }
    void SetUp() override
    {
        h.watch(passwords);
        h.watch(logo);
        QString error;
        ASSERT_TRUE(h.open(&error)) << error.toStdString();
        QObject::connect(&h.driver, &ExchangeDriver::busyChanged, &buttons, &ExchangeButtons::setBusy);
        buttons.setPortOpen(true);
        box.resize(std::is_same_v<Family, LogoFamily> ? QSize(500, 260) : QSize(300, 200));
        box.show();
    }

    template <typename W>
    W *child(const char *name) { return namedChild<W>(box, name); }
    void click(const char *name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    bool waitForStatus(const char *text) { return RegisterHarness::waitFor([&] { return h.status == u(text); }); }
};
