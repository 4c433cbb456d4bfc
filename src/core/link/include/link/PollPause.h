#pragma once
// Stops the live-value poll (and any other timers named, such as a window's display
// timer) for as long as the guard lives, e.g. around a handler that exchanges frames
// with a plant, and restarts all of them on every way out. Guards nest: only the
// outermost one restarts, so a sequence of exchanges is never interrupted by a poll.

#include <initializer_list>

class QTimer;

class PollPause {
public:
    explicit PollPause(std::initializer_list<QTimer *> alsoPause = {});
    ~PollPause();
    PollPause(const PollPause &) = delete;
    PollPause &operator=(const PollPause &) = delete;

    // True while any guard holds the poll (a window activation must not restart it).
    static bool Active();
};
