#include "link/requeststate.h"

namespace RequestState {

State next(State from, Move move)
{
    switch (move) {
    case Move::Reset:
        return State::Idle;
    case Move::Cancel:
        return State::Cancelled;
    case Move::Send:
        return cancelMarked(from) ? State::AwaitingAfterCancel : State::Awaiting;
    case Move::Accept:
        if (dropsFrames(from))
            return from; // never taken: a dropped frame answers nothing
        return from == State::Awaiting ? State::Handling : State::Answered;
    case Move::HandlerDone:
        return from == State::Handling ? State::Answered : from;
    case Move::GiveUp:
        return awaited(from) ? State::GivenUp : from;
    case Move::ClearCancelMark:
        if (from == State::Cancelled)
            return State::CancelDrained;
        if (from == State::AwaitingAfterCancel)
            return State::Awaiting;
        return from;
    }
    return from;
}

bool busy(State state)
{
    return state == State::Awaiting || state == State::AwaitingAfterCancel || state == State::Handling;
}

bool awaited(State state)
{
    return state == State::Awaiting || state == State::AwaitingAfterCancel || state == State::GivenUp;
}

bool answered(State state) { return state == State::Handling || state == State::Answered; }

bool cancelMarked(State state) { return state == State::Cancelled || state == State::AwaitingAfterCancel; }

bool dropsFrames(State state)
{
    return state == State::Cancelled || state == State::CancelDrained || state == State::AwaitingAfterCancel;
}

} // namespace RequestState
