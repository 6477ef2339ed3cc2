#include "link/requeststate.h"

#include <array>
#include <gtest/gtest.h>

using namespace RequestState;

namespace {

using S = State;
using M = Move;

struct Step {
    S from;
    M move;
    S to;
};

// Every move out of every state the driver can be in.
const Step Steps[] = {
    {S::Idle, M::Send, S::Awaiting},
    {S::Idle, M::Accept, S::Answered}, // nothing outstanding: taken as it comes
    {S::Idle, M::Cancel, S::Cancelled},
    {S::Idle, M::ClearCancelMark, S::Idle},
    {S::Awaiting, M::Accept, S::Handling},
    {S::Awaiting, M::GiveUp, S::GivenUp},
    {S::Awaiting, M::Cancel, S::Cancelled},
    {S::Awaiting, M::Send, S::Awaiting},
    {S::Awaiting, M::HandlerDone, S::Awaiting}, // the handler sent the next request
    {S::Awaiting, M::Reset, S::Idle},
    {S::Handling, M::HandlerDone, S::Answered},
    {S::Handling, M::Send, S::Awaiting},
    {S::Handling, M::Cancel, S::Cancelled},
    {S::Answered, M::Accept, S::Answered},
    {S::Answered, M::GiveUp, S::Answered},
    {S::Answered, M::Send, S::Awaiting},
    {S::GivenUp, M::Accept, S::Answered}, // a late reply is still handled, not as busy
    {S::GivenUp, M::GiveUp, S::GivenUp},
    {S::GivenUp, M::Send, S::Awaiting},
    {S::Cancelled, M::Accept, S::Cancelled},
    {S::Cancelled, M::ClearCancelMark, S::CancelDrained},
    {S::Cancelled, M::Send, S::AwaitingAfterCancel},
    {S::Cancelled, M::Reset, S::Idle},
    {S::CancelDrained, M::Accept, S::CancelDrained},
    {S::CancelDrained, M::ClearCancelMark, S::CancelDrained},
    {S::CancelDrained, M::Send, S::Awaiting},
    {S::AwaitingAfterCancel, M::Accept, S::AwaitingAfterCancel},
    {S::AwaitingAfterCancel, M::ClearCancelMark, S::Awaiting},
    {S::AwaitingAfterCancel, M::Send, S::AwaitingAfterCancel}, // the mark waits for an arrival
    {S::AwaitingAfterCancel, M::GiveUp, S::GivenUp},
    {S::AwaitingAfterCancel, M::Cancel, S::Cancelled},
};

class RequestMoves : public ::testing::TestWithParam<Step> {};

} // namespace

TEST_P(RequestMoves, LeadToTheirState)
{
    const Step &s = GetParam();
    EXPECT_EQ(int(next(s.from, s.move)), int(s.to)) << "from " << int(s.from) << " by " << int(s.move);
}

INSTANTIATE_TEST_SUITE_P(Table, RequestMoves, ::testing::ValuesIn(Steps));

TEST(RequestState, WhatEachStateSays)
{
    // busy, awaited, answered, cancel mark, drops frames
    const struct {
        S state;
        std::array<bool, 5> says;
    } rows[] = {
        {S::Idle, {false, false, false, false, false}},
        {S::Awaiting, {true, true, false, false, false}},
        {S::AwaitingAfterCancel, {true, true, false, true, true}},
        {S::Handling, {true, false, true, false, false}},
        {S::Answered, {false, false, true, false, false}},
        {S::GivenUp, {false, true, false, false, false}},
        {S::Cancelled, {false, false, false, true, true}},
        {S::CancelDrained, {false, false, false, false, true}},
    };
    for (const auto &r : rows) {
        const std::array<bool, 5> seen{busy(r.state), awaited(r.state), answered(r.state), cancelMarked(r.state),
                                       dropsFrames(r.state)};
        EXPECT_EQ(seen, r.says) << int(r.state);
    }
}
