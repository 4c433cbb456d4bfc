#pragma once
// A plant site in-process: a home folder with its settings file, the simulated
// plants wired to the link (short time-outs), German number and date formats, and
// a fixed day and clock. The trace of the simulator is kept for checks.

#include "datafile/DataFile.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "link/PlantTable.h"
#include "plantsim/Bus.h"
#include "plantsim/Plant.h"
#include "settings/SettingsFile.h"
#include "support/SharedState.h"
#include "support/SimLine.h"

#include <QLocale>
#include <QTemporaryDir>
#include <memory>

namespace support {

// A home folder with its settings file, the simulated plants and the link.
struct SimSite {
    support::SharedStateGuard guard;
    QTemporaryDir home;
    std::unique_ptr<TSettingsFile> ini;
    std::unique_ptr<plantsim::Bus> bus;
    TLink link;
    QStringList trace;

    explicit SimSite(const QList<plantsim::PlantConfig> &plants, int historyDays = 2)
    {
        SetProgramFolder(home.path());
        ini = std::make_unique<TSettingsFile>(home.filePath("Haldrix.ini"));
        Settings().SettingsFile = ini.get();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        SetDataFileToday([] { return QDate(2026, 12, 8); });
        SetCommandClock([] { return QDateTime(QDate(2026, 12, 8), QTime(9, 5, 7)); });
        plantsim::BusConfig config;
        config.plants = plants;
        config.historyDays = historyDays;
        config.start = QDateTime(QDate(2026, 12, 8), QTime(8, 0));
        bus = std::make_unique<plantsim::Bus>(config);
        QObject::connect(bus.get(), &plantsim::Bus::Trace, [this](const QString &l) { trace << l; });
        support::PlugIn(link, *bus);
        LinkValues().BaseTimeout = 60;
        LinkValues().RecordTimeout = 60;
        Plants().PlantCount = MaxPlants;
        link.OpenLink();
        for (const plantsim::PlantConfig &p : plants) {
            Plants().PlantTable[p.number].Name = QStringLiteral("Miete%1").arg(p.number);
            Plants().PlantTable[p.number].Pfad = Settings().ProgramFolder;
            ReadPlantStatus(p.number);
        }
        trace.clear();
    }
    ~SimSite() { Settings().SettingsFile = nullptr; }

    plantsim::Plant &P(int n) { return *bus->GetPlant(n); }
    // The frames the host sent, as "<plant> <frame>".
    QStringList Sent() const
    {
        QStringList out;
        for (const QString &l : trace)
            if (l.section(' ', 1, 1) == QLatin1String("RX"))
                out << l.section(' ', 2, 3);
        return out;
    }
    // The stored-record replies plant n sent, in order.
    QStringList RecordReplies(int n) const
    {
        QStringList out;
        for (const QString &l : trace)
            if (l.section(' ', 1, 1) == QLatin1String("TX") && l.section(' ', 2, 2) == QString::number(n)
                && l.section(' ', 3, 3).startsWith(u'G'))
                out << l.section(' ', 3, 3);
        return out;
    }
    // The number of "G" replies the plants sent.
    int RecordsSent() const
    {
        int n = 0;
        for (const QString &l : trace)
            n += l.section(' ', 1, 1) == QLatin1String("TX") && l.section(' ', 3, 3).startsWith(u'G');
        return n;
    }
};

} // namespace support
