#include "site/SiteView.h"
#include "site/SiteJournal.h"

#include "datafile/DataFile.h"
#include "link/Link.h"
#include "piles/Piles.h"
#include "settings/SettingsFile.h"

#include <QCoreApplication>

namespace {
SiteView *g_current = nullptr;      // the one the main window runs, for the status band
} // namespace

QString SiteViewStatusText() { return g_current ? g_current->StatusText() : QString(); }

SiteView::SiteView(TLink *link, const QString &version, QObject *parent) : QObject(parent)
{
    const SiteSettings settings = ReadSiteSettings();
    if (!settings.Enabled())
        return;
    monitor_ = std::make_unique<SiteMonitor>(settings, version);
    publisher_ = std::make_unique<SitePublisher>(settings, OutboxPath(), monitor_->Status(true), monitor_->Status(false));
    connect(publisher_.get(), &SitePublisher::StateChanged, this, &SiteView::StatusChanged);
    g_current = this;
    SitePublisher *p = publisher_.get();
    SiteMonitor *m = monitor_.get();
    p->Post(m->Tick());
    if (link) {
        connect(link, &TLink::Polled, this, [p, m] { p->Post(m->Tick()); });
        connect(link, &TLink::LineStateChanged, this, [p, m](bool open) { p->Post(m->LineState(open)); });
    }
    SetDataLineListener([p, m](int plant, const QString &file, qint32 number, const QString &line) {
        p->Post(m->RecordWritten(plant, file, number, line));
    });
    // Journal entries of a pile a plant writes now (an ended pile has no plant).
    SetJournalListener([p, m](const QString &file, const JournalEntry &entry) {
        if (const int plant = PlantWritingTo(file, 0))
            p->Post({JournalMessage(m->Base(), plant + Settings().DisplayOffset, Plants().PlantTable[plant].Name, file, entry)});
    });
    SetPileEvents({[p, m](int plant, TransferOutcome outcome) { p->Post(m->TransferEnded(plant, outcome)); },
                   [p, m](int plant, int mode, bool ok) { p->Post(m->ModeChanged(plant, mode, ok)); }});
}

SiteView::~SiteView()
{
    if (!publisher_)
        return;
    if (g_current == this)
        g_current = nullptr;
    SetDataLineListener({});
    SetJournalListener({});
    SetPileEvents({});
    publisher_.reset();
}

QString SiteView::OutboxPath() { return Settings().ProgramFolder + QStringLiteral("mqtt-outbox.txt"); }

QString SiteView::StatusText() const
{
    if (!publisher_)
        return {};
    const SitePublisher::State s = publisher_->CurrentState();
    QString text = s.Connected ? QCoreApplication::translate("Site", "MQTT: verbunden")
                               : QCoreApplication::translate("Site", "MQTT: getrennt");
    if (s.Waiting > 0)
        text += QCoreApplication::translate("Site", " (%1 wartend)").arg(s.Waiting);
    if (!s.Connected && !s.Error.isEmpty())
        text += QStringLiteral(" – ") + s.Error;
    return text;
}
