#pragma once
// Company data: the three header lines of every protocol (settings section Firma),
// with a sample protocol of 20 rows in the preview.

#include <QDialog>
#include <memory>

namespace Ui { class TFProtokKopf; }
class TFQRKompForm;

class TFProtokKopf : public QDialog {
    Q_OBJECT
public:
    explicit TFProtokKopf(QWidget *parent = nullptr);
    ~TFProtokKopf() override;

    // The sample protocol with the header lines as typed now (stored or not).
    std::unique_ptr<TFQRKompForm> SampleForm();

    // Before the first pile, while the lines still hold their placeholders: the
    // placeholders are only hints, and OK stores all three lines as shown.
    void AskBeforeFirstPile();

    void FormActivate();
    void OKBtnClick();
    void Button1Click();

protected:
    void changeEvent(QEvent *event) override;

private:
    Ui::TFProtokKopf *ui;
    int sampleRow_ = 0;
    bool writeAll_ = false;         // asked before the first pile: the lines as shown go in
};
