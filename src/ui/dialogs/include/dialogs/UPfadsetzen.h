#pragma once
// Folder chooser for a plant's data files: a folder tree and a list of places to
// start from (the drives on Windows; the file-system root and the home folder else).

#include <QDialog>

namespace Ui { class TFPfadsetzen; }
class QFileSystemModel;

class TFPfadsetzen : public QDialog {
    Q_OBJECT
public:
    explicit TFPfadsetzen(QWidget *parent = nullptr);
    ~TFPfadsetzen() override;

    void SetFolder(const QString &folder);
    QString Folder() const;         // the folder typed or selected in the tree

protected:
    void changeEvent(QEvent *event) override;

private:
    void DriveBox1Change(int index);
    void ShowInTree(const QString &path);
    Ui::TFPfadsetzen *ui;
    QFileSystemModel *model_;
};
