#include "link/PollPause.h"
#include "link/Link.h"

#include <QPointer>
#include <QTimer>
#include <vector>

namespace {
int g_depth = 0;                            // guards now held
std::vector<QPointer<QTimer>> g_restart;    // the extra timers of all guards now held
}

PollPause::PollPause(std::initializer_list<QTimer *> alsoPause)
{
    ++g_depth;
    StopPolling();
    for (QTimer *t : alsoPause) {
        if (!t)
            continue;
        t->stop();
        g_restart.emplace_back(t);
    }
}

PollPause::~PollPause()
{
    if (--g_depth > 0)
        return;
    for (const QPointer<QTimer> &t : g_restart)
        if (t)
            t->start();
    g_restart.clear();
    StartPolling();
}

bool PollPause::Active() { return g_depth > 0; }
