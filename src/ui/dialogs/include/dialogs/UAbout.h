#pragma once
// Information box: shows the product name, version, the two lines under them and
// the maker's logo, all copied from the main window (found by its control names, so
// this library needs nothing from the shell).

#include <QDialog>

namespace Ui { class TFAbout; }

class TFAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFAbout(QWidget *parent = nullptr);
    ~TFAbout() override;

    // The window holding "ProductName", "Version", "Comments" and "MakerLogo":
    // searched from parent upwards, then among the top-level windows.
    static QWidget *FindMainWindow(QWidget *from);

public slots:
    void CopyFromMain();

protected:
    void changeEvent(QEvent *event) override;

private:
    Ui::TFAbout *ui;
};
