#pragma once

namespace tabulist {

// The main window's rule for listing requests: one listing at a time, and the newest
// request wins. A listing lets messages run once per entry, so a click can ask for a
// new listing, or for the window to close, while one is running. This class holds that
// state; the window asks it what to do and it alone changes the fields.
//
//   state                  event                      effect, next state
//   Idle                   a request (Enter)          the caller runs listings; Running
//   Running                BeginRun                   abandoned and pending cleared; runs + 1
//   Running                a request (Queue)          abandoned, pending; the row click that
//                                                     asked is remembered; Running
//   Running                close asked (Close)        abandoned, pending dropped, close pending;
//                                                     Running
//   Running, run ended     RunAgain                   true while pending and no close pending
//   Running                Leave                      Idle; returns Close when a close is pending,
//                                                     Rebuild when a request is still pending
//                                                     (an error ended the run), else Nothing
//   Idle                   TakeCutByClose             true once after a close cut a listing
//                                                     short, so a refused close lists again
class ListingRequests {
public:
    enum class After { Nothing, Close, Rebuild };

    bool Running() const { return depth_ > 0; }
    // Asked by the engine after each message pump: the running listing unwinds when set.
    bool Abandoned() const { return abandoned_; }

    void Enter() { ++depth_; }
    void BeginRun() {
        pending_ = false;
        abandoned_ = false;
        ++started_;
    }
    void Queue(bool fromClick) {
        abandoned_ = true;
        pending_ = true;
        pendingFromClick_ = fromClick;
    }
    void Close() {
        abandoned_ = true;
        pending_ = false;
        closePending_ = true;
        cutByClose_ = true;
    }
    // Whether the next run takes its directory from the clicked row.
    bool RerunFromClick() const { return pending_ && pendingFromClick_; }
    bool RunAgain() const { return pending_ && !closePending_; }
    After Leave();
    bool TakeCutByClose();

    // Test hook: listings begun since the window was created.
    int Started() const { return started_; }

private:
    int depth_ = 0;
    int started_ = 0;
    bool abandoned_ = false;
    bool pending_ = false;
    bool pendingFromClick_ = false;
    bool closePending_ = false;
    bool cutByClose_ = false;
};

}  // namespace tabulist
