#pragma once
// "Tagebuch …": the journal of one pile, its entries and a new one. Entries are only
// added; a correction is a new entry that names the one it corrects.

#include <QDialog>
#include <QString>

class QComboBox;
class QDateTimeEdit;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

class TFTagebuch : public QDialog {
    Q_OBJECT
public:
    // `plant` (1..32, 0: none) gives a probe check the plant's live reading.
    TFTagebuch(const QString &dataFile, int plant, QWidget *parent = nullptr);

    // Adds the entry the fields describe; false (after telling why) when it is refused.
    bool EintragenClick();

    QComboBox *Art = nullptr;
    QDateTimeEdit *Zeit = nullptr;
    QLineEdit *Von = nullptr;
    QLineEdit *Text = nullptr;
    QComboBox *Tiefe = nullptr;
    QDoubleSpinBox *Referenz = nullptr;
    QDoubleSpinBox *Anlage = nullptr;
    QSpinBox *Berichtigt = nullptr;
    QTableWidget *Eintraege = nullptr;

private:
    void ShowEntries();
    void KindChanged();

    QString file_;
    int plant_ = 0;
    QLabel *seal_ = nullptr;
};
