#pragma once

#include "screens/RecordDisplay.h"

#include <chrono>
#include <optional>

// The auto-repeat of a held arrow button: the first repeated action comes
// after the hold delay, then one every repeat period, while the pointer stays
// on the button. Time is whatever clock the caller reads (the viewer's steady
// clock, a test's own), so the timing is tested without waiting.
//
// The shell calls Hold when the button goes down, PointerOn as the pointer
// leaves or comes back, Release when the button goes up, and Tick at
// NextAction() (or later), running the key Tick returns. The click's own
// action on release is the shell's, as for any click.
class KeyRepeat {
public:
    using Time = std::chrono::milliseconds;
    static constexpr Time kHoldDelay{500};
    static constexpr Time kRepeatPeriod{100};

    void Hold(InstrumentKey key, Time now);
    // The pointer left the held button (no actions) or came back to it (the
    // actions start again after the hold delay).
    void PointerOn(bool on, Time now);
    void Release();

    // The key to act on now, if an action is due; the next one is then a
    // repeat period later (late ticks never make a burst of actions).
    std::optional<InstrumentKey> Tick(Time now);
    // When the next action is due; nothing while no action can come.
    std::optional<Time> NextAction() const;
    // The held key, if any.
    std::optional<InstrumentKey> HeldKey() const { return m_held; }

private:
    std::optional<InstrumentKey> m_held;
    bool m_pointerOn = false;
    Time m_due{0};
};
