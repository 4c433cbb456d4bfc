#pragma once
// The graph window: one data file of the chosen plant as curves (environment or
// fan view), zoomed and panned along the measurement numbers only, printed on one
// landscape page.

#include "reports/GraphFill.h"

#include <QDialog>
#include <QPointer>
#include <memory>

namespace Ui { class TFGraphForm; }
class QCheckBox;
class QCustomPlot;
class QLabel;
class QMouseEvent;
class QCPTextElement;
class TMessDaten;

class TFGraphForm : public QDialog {
    Q_OBJECT
public:
    explicit TFGraphForm(QWidget *parent = nullptr);
    ~TFGraphForm() override;

    TMessDaten &Model() { return *model_; }
    QCustomPlot *Chart() const;
    GraphCurves Curves() const;         // as the boxes and the page say now
    QString StatusText(int panel) const;
    void ShowSeal(const QString &path);

    void TabControl1Change();
    void OpenButtonClick();
    // Opens `path` as the file dialog's choice would.
    void OpenFile(const QString &path);
    void Schliessen1Click();
    void CheckClick(QCheckBox *box);
    void PageControl1Change();
    void PreviewButtonClick();
    void PrintButtonClick();
    // x-only zoom to [from, to] (a drag rectangle), its undo, and a pan by `delta`
    // measurement numbers: kept within 0.9 … n − 0.9 of the first curve shown.
    void ZoomTo(double from, double to);
    void Chart1UndoZoom();
    void Pan(double delta);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void done(int result) override;
    void changeEvent(QEvent *event) override;

private:
    void ShowCurves();
    void ReplotWithLegendPlaced();
    void ShowCaptions();
    void Run(bool preview);
    bool PanLimits(double &low, double &high) const;

    Ui::TFGraphForm *ui;
    std::unique_ptr<TMessDaten> model_;
    QLabel *panels_[4] = {};
    QString sealPath_;                  // the loaded file, for its seal state
    QList<QCheckBox *> boxes_;
    int plant_ = 1;
    bool creating_ = true;
    bool changed_ = false;
    bool saved_ = false;
    bool loaded_ = false;
    // Right-button panning in progress: where it started, in pixels and range.
    QPointer<QCPTextElement> placeholder_;
    int panStartPixel_ = -1;
    double panStartLower_ = 0;
};
