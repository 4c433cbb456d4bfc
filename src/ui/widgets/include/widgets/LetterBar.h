#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>

// Rows of toggle buttons of which at most one is down (all may be up).
class TLetterBar : public QWidget {
    Q_OBJECT
public:
    explicit TLetterBar(QWidget *parent = nullptr);
    // rows of captions; buttons are numbered 1.. in reading order
    void SetRows(const QList<QStringList> &rows);
    int ButtonCount() const;
    void SetDown(int number);           // 0 or out of range: all up
    int Down() const;                   // 0 when none is down
    QString Caption(int number) const;
signals:
    void Changed(int number);
private:
    QList<class QToolButton *> buttons_;
    int down_ = 0;
};
