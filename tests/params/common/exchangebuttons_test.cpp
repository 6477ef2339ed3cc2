#include "params/common/exchangebuttons.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace {
struct Buttons {
    QPushButton read;
    QPushButton write;
    QPushButton writeAtOnce;
    ExchangeButtons rules;
    Buttons()
    {
        rules.add(&read, true);
        rules.add(&write, false);
        rules.add(&writeAtOnce, true);
    }
    QList<bool> states() const { return {read.isEnabled(), write.isEnabled(), writeAtOnce.isEnabled()}; }
};
} // namespace

TEST(ExchangeButtons, FollowThePortTheReadsAndTheRunningTransfer)
{
    Buttons b;
    EXPECT_EQ(b.states(), (QList<bool>{false, false, false})) << "closed port";
    b.rules.allow(&b.write);
    EXPECT_EQ(b.states(), (QList<bool>{false, false, false})) << "nothing before the port opens";
    b.rules.setPortOpen(true);
    EXPECT_EQ(b.states(), (QList<bool>{true, false, true}));
    b.rules.allow(&b.write); // a read started
    b.rules.setBusy(true);
    EXPECT_EQ(b.states(), (QList<bool>{false, false, false})) << "one transfer at a time";
    b.rules.setBusy(false);
    EXPECT_EQ(b.states(), (QList<bool>{true, true, true}));
    b.rules.setPortOpen(false);
    EXPECT_EQ(b.states(), (QList<bool>{false, false, false}));
    b.rules.setPortOpen(true);
    EXPECT_EQ(b.states(), (QList<bool>{true, false, true})) << "a new opening forgets the earlier reads";
}

