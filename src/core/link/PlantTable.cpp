#include "link/PlantTable.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "link/Port.h"

#include <QElapsedTimer>

LinkState &LinkValues()
{
    static LinkState state;
    return state;
}

qint64 LinkClockMs()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed() + 1;     // never 0, which means "never received"
}

void ResetLinkTables()
{
    ResetPlantModel();
    // An open link keeps its port open across the reset.
    const bool open = TLink::Instance() && LinkValues().LinkOpen;
    LinkValues() = {};
    LinkValues().LinkOpen = open;
    if (TLink::Instance())
        TLink::Instance()->ForgetLateAnswers();
}
