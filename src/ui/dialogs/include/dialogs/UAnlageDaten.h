#pragma once
// Plant data: the pile name (the start of its data file's name), a comment and the
// folder of the data file, for one plant. Shown when a new pile is started.

#include <QDialog>
#include <functional>

namespace Ui { class TFAnlageDaten; }

class TFAnlageDaten : public QDialog {
    Q_OBJECT
public:
    explicit TFAnlageDaten(int plant, QWidget *parent = nullptr);
    ~TFAnlageDaten() override;

    QString WorkingFolder() const { return folder_; }
    // The folder chooser; tests and demos replace it (empty result: cancelled).
    void SetFolderChooser(std::function<QString(const QString &start)> chooser) { chooser_ = std::move(chooser); }

public slots:
    void PfadButton1Click();
    void OKBtnClick();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void FormActivate();
    Ui::TFAnlageDaten *ui;
    int plant_;
    QString folder_;
    bool folderChanged_ = false;
    bool nameEdited_ = false;
    QString dropped_;                   // characters left out of the name
    bool commentEdited_ = false;
    bool activated_ = false;
    std::function<QString(const QString &)> chooser_;
};
