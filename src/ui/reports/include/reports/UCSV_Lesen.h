#pragma once
// The protocol window: a data file chosen by the user printed as the measurement
// protocol or (QualityMode) as the quality-association protocol, with the graph
// and one row per day on request.

#include "datafile/DataFile.h"

#include <QDialog>
#include <functional>

namespace Ui { class TFCSV_Lesen; }
class QAction;
class QLabel;
class TReportForm;

class TFCSV_Lesen : public QDialog {
    Q_OBJECT
public:
    explicit TFCSV_Lesen(QWidget *parent = nullptr);
    ~TFCSV_Lesen() override;

    bool QualityMode = false;           // set by the opener right after creation


    void FormActivate();
    void CheckClick();
    void TabControl1Change();
    void OpenButtonClick();
    void OpenFile(const QString &path);     // as if chosen in the file dialog
    void Schliessen1Click();
    void PreviewButtonClick();
    void PrintButtonClick();
    void Archivieren1Click();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;
    void changeEvent(QEvent *event) override;

private:
    void Run(bool preview);
    void ShowPlant();
    void ShowFile();

    Ui::TFCSV_Lesen *ui;
    QLabel *panels_[4] = {};
    QAction *archive_ = nullptr;
    QAction *journal_ = nullptr;
    DataFileContent file_;
    int plant_ = 1;
    bool firstActivation_ = true;
    bool changed_ = false;
    bool saved_ = false;
};
