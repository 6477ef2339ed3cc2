#pragma once

// The life of the request in the driver's send buffer: one state, and every
// move between states in one table (RequestState::next). The driver keeps
// nothing else about the request's life.
//
// A cancel leaves a mark that outlives the next request: the first thing to
// arrive after it belongs to the cancelled exchange, whatever was sent since.
// The states after a cancel carry that mark.
namespace RequestState {

enum class State {
    Idle,                // start-up or reset: nothing asked since
    Awaiting,            // written (or its write failed): repeated until a reply
    AwaitingAfterCancel, // written after a cancel before anything arrived: the first arrival is the cancelled one's
    Handling,            // answered; its reply handler runs
    Answered,            // answered and handled, or a reply taken with nothing outstanding
    GivenUp,             // no reply after the repeats: still counted as awaited, the send buffer cleared
    Cancelled,           // cancelled, nothing arrived since
    CancelDrained,       // cancelled, its first arrival dropped: frames are dropped until the next request
};

enum class Move {
    Reset,
    Send,            // a new request (not a repeat)
    Accept,          // a frame taken as the reply
    HandlerDone,     // the reply handler returned
    GiveUp,          // the retry timer gave up
    Cancel,          // the cancel button, or the port went away
    ClearCancelMark, // the first arrival after a cancel was dropped, or a cancellable transfer starts
};

State next(State from, Move move);

// True while the request is out: from its writing until its handler returned.
bool busy(State state);
// True from the writing until a reply is taken or the request is cancelled;
// a give-up leaves it so.
bool awaited(State state);
// The request in the send buffer has had its reply.
bool answered(State state);
// The first arrival belongs to a cancelled exchange.
bool cancelMarked(State state);
// Complete frames are dropped, not handled.
bool dropsFrames(State state);

} // namespace RequestState
