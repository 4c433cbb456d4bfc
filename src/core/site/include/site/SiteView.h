#pragma once
// The site view as the program runs it: reads [MQTT], and while a broker is named
// tells it what the link, the data files and the piles do (see SiteMonitor), through
// a SitePublisher. Made once by the main window after the link; nothing happens
// when no broker is named.

#include "site/SiteMonitor.h"
#include "site/SitePublisher.h"

#include <QObject>
#include <memory>

class TLink;

// The running site view's StatusText; empty while there is none (for the status band).
QString SiteViewStatusText();

class SiteView : public QObject {
    Q_OBJECT
public:
    SiteView(TLink *link, const QString &version, QObject *parent = nullptr);
    ~SiteView() override;       // stops listening first, then says "offline"

    bool Active() const { return publisher_ != nullptr; }
    SitePublisher *Publisher() const { return publisher_.get(); }
    SiteMonitor *Monitor() const { return monitor_.get(); }
    // One line for the status band: "MQTT: verbunden", "MQTT: getrennt (12 wartend)", …
    QString StatusText() const;
    static QString OutboxPath();    // "mqtt-outbox.txt" in the program folder

signals:
    void StatusChanged();

private:
    std::unique_ptr<SiteMonitor> monitor_;
    std::unique_ptr<SitePublisher> publisher_;
};
