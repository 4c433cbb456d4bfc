#pragma once
// A picture that scales with its widget and keeps its aspect ratio: an SVG (drawn
// crisp at any size) or a bitmap. Sources are file paths or resources such as
// ":/pictures/logo.svg".

#include <QImage>
#include <QPixmap>
#include <QWidget>

class QPainter;
class QSvgRenderer;

class TPicture : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString source READ Source WRITE SetSource)
    Q_PROPERTY(bool proportional READ Proportional WRITE SetProportional)
public:
    explicit TPicture(QWidget *parent = nullptr);
    ~TPicture() override;
    // Loads the picture; on failure the previous picture stays and false is returned.
    bool SetSource(const QString &source);
    QString Source() const;
    void SetImage(const QImage &image);    // a bitmap given directly
    void Clear();
    bool IsEmpty() const;
    QSize PictureSize() const;             // natural size, empty when there is none
    void SetProportional(bool on);         // false: stretch to the whole widget
    bool Proportional() const;
    QSize sizeHint() const override;
protected:
    void paintEvent(QPaintEvent *) override;
private:
    QString source_;
    QImage image_;
    QSvgRenderer *svg_ = nullptr;
    bool proportional_ = true;
    // The picture drawn at the widget's size: a repaint of the window around it (the
    // live display's heartbeat, every second) only copies it, scaling happens on a
    // resize or a new picture.
    QPixmap drawn_;
};

// Draws a picture source into target, scaled with its aspect ratio and centred
// (for printed pages). Returns false when the source cannot be read.
bool DrawPicture(QPainter &painter, const QRectF &target, const QString &source);

// The rectangle of a picture of natural size `natural` fitted into `target`.
QRectF FitRect(const QSizeF &natural, const QRectF &target);
