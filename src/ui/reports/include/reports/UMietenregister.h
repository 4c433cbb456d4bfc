#pragma once
// "Mietenregister": every pile under the plants' data folders and the archive, with
// its verdict, seal and journal, for the yearly inspection; saved as PDF or CSV.

#include "datafile/Register.h"

#include <QDialog>
#include <vector>

class QListWidget;
class QSpinBox;
class QTableWidget;
class QLabel;

class TFMietenregister : public QDialog {
    Q_OBJECT
public:
    explicit TFMietenregister(QWidget *parent = nullptr);

    void AktualisierenClick();
    // Write the register to `path` (a dialog asks when it is empty); false when not written.
    bool PdfClick(QString path = {});
    bool CsvClick(QString path = {});

    QListWidget *Ordner = nullptr;
    QSpinBox *Jahr = nullptr;
    QTableWidget *Mieten = nullptr;
    const std::vector<RegisterRow> &Rows() const { return rows_; }

private:
    QStringList Folders() const;
    QString Scope() const;

    std::vector<RegisterRow> rows_;
    QLabel *summary_ = nullptr;
};
