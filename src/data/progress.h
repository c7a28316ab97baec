#pragma once

namespace parlog {

// Told now and then how a long action goes, so that the window can repaint and the
// user can cancel. The core calls it; a window or a test implements it.
class Progress {
public:
    virtual ~Progress() = default;
    // done of total steps, or total 0 when nobody can say how far it is. False asks
    // the action to stop and leave everything as it was.
    virtual bool carryOn(long long done, long long total) = 0;
    // For an action that reads and stores rows: how many so far, now and then.
    virtual void counted(long long /*read*/, long long /*stored*/) {}
};

} // namespace parlog
