#pragma once
// The pile picture with the instruments sitting on it. Each instrument is placed in
// picture coordinates and follows the picture as the window scales it.

#include "widgets/Picture.h"

#include <QList>
#include <QRectF>

class TPileView : public TPicture {
    Q_OBJECT
public:
    explicit TPileView(QWidget *parent = nullptr);

    // Places child w into the rectangle r given in the picture's own units; the
    // widget never gets smaller than its minimum size hint (it grows around r's centre).
    void Place(QWidget *w, const QRectF &r);
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    struct Slot { QWidget *w; QRectF r; };
    QList<Slot> slots_;
    void Arrange();
    QSizeF Natural() const;
};
