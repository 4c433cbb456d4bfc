#pragma once
// The site view's settings ([MQTT]): broker, login, names, and a connection test.
// OK writes them; the main window then starts the site view again with them.
// Cancel writes nothing.

#include <QDialog>

struct SiteSettings;
namespace Ui { class TFMqttSetup; }

class TFMqttSetup : public QDialog {
    Q_OBJECT
public:
    explicit TFMqttSetup(QWidget *parent = nullptr);
    ~TFMqttSetup() override;

    bool Changed() const { return changed_; }

    void TestBtnClick();
    void OKBtnClick();
    void CancelBtnClick();

protected:
    void changeEvent(QEvent *event) override;

private:
    SiteSettings Shown() const;
    void ShowTopics();

    Ui::TFMqttSetup *ui;
    bool changed_ = false;
};
