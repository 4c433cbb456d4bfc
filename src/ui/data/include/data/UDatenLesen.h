#pragma once
// The offline readout: every record a plant's memory holds, appended to the pile's
// data file and shown in a grid, which can be printed as a measurement protocol.

#include "link/PlantTable.h"
#include "piles/Piles.h"

#include <QDialog>
#include <QStringList>
#include <memory>

namespace Ui { class TFDatenLesen1; }
class QLabel;
class TFQRKompForm;

// The grid texts of columns 1..11 for one stored record: time stamp (system short
// date, two blanks, hh:mm; the start of the time scale when the stamp is no date),
// T5..T1, O2 in vol%, mode, run time, cycles, and the reference depth while it is
// shown; units as set (°F, inches).
QStringList ReadoutCells(const TLiveValues &values, const TStoredStamp &stamp);

class TFDatenLesen1 : public QDialog {
    Q_OBJECT
public:
    explicit TFDatenLesen1(QWidget *parent = nullptr);
    ~TFDatenLesen1() override;

    // Grid text at column `col`, row `row` (row 0: the titles), as the grid shows it.
    QString Cells(int col, int row) const;
    int RowCount() const;               // grid rows, the title row included
    int RecordsRead() const { return recordsRead_; }
    QString StatusText() const;         // status panel 1

    // The protocol of the grid as it stands (also without a preview or printer).
    std::unique_ptr<TFQRKompForm> GridProtocol();

    void TabControl1Change();
    void DatenAuslesen();
    void PreviewButtonClick();
    void PrintButtonClick();
    void Ende2Click();
    void Info1Click();

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    class Readout;
    void ClearGrid();
    void SetTitles();
    void ShowPlantState();
    void Report(TransferOutcome outcome, int plant);

    Ui::TFDatenLesen1 *ui;
    QLabel *panels_[2] = {};
    int recordsRead_ = 0;
    bool reading_ = false;
};
