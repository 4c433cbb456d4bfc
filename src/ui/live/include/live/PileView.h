#pragma once
// The pile picture with the instruments sitting on it. Each instrument is placed in
// picture coordinates and follows the picture as the window scales it.

#include "widgets/Picture.h"

#include <QList>
#include <QRectF>

class QSvgRenderer;

class TPileView : public TPicture {
    Q_OBJECT
public:
    explicit TPileView(QWidget *parent = nullptr);

    // Places child w into the rectangle r given in the picture's own units; the
    // widget never gets smaller than its minimum size hint (it grows around r's centre).
    void Place(QWidget *w, const QRectF &r);
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

    // Where the picture is drawn: fitted with its aspect ratio, then stretched up to
    // a third in the other direction so that little of the panel stays empty.
    QRectF PictureRect() const;

protected:
    void resizeEvent(QResizeEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    struct Slot { QWidget *w; QRectF r; };
    QList<Slot> slots_;
    QSvgRenderer *renderer_ = nullptr;
    QString rendered_;
    void Arrange();
    QSizeF Natural() const;
};
