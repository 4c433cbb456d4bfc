#include "widgets/Picture.h"

#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

namespace {

bool IsSvg(const QString &source)
{
    return source.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)
        || source.endsWith(QLatin1String(".svgz"), Qt::CaseInsensitive);
}

QImage ReadBitmap(const QString &source)
{
    QImageReader reader(source);
    reader.setAutoTransform(true);
    return reader.read();
}

} // namespace

QRectF FitRect(const QSizeF &natural, const QRectF &target)
{
    if (natural.isEmpty() || target.isEmpty())
        return QRectF();
    const QSizeF s = natural.scaled(target.size(), Qt::KeepAspectRatio);
    return QRectF(target.left() + (target.width() - s.width()) / 2,
                  target.top() + (target.height() - s.height()) / 2, s.width(), s.height());
}

bool DrawPicture(QPainter &painter, const QRectF &target, const QString &source)
{
    if (IsSvg(source)) {
        QSvgRenderer svg(source);
        if (!svg.isValid())
            return false;
        svg.render(&painter, FitRect(svg.defaultSize(), target));
        return true;
    }
    const QImage image = ReadBitmap(source);
    if (image.isNull())
        return false;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(FitRect(image.size(), target), image);
    painter.restore();
    return true;
}

TPicture::TPicture(QWidget *parent) : QWidget(parent) {}

TPicture::~TPicture() = default;

bool TPicture::SetSource(const QString &source)
{
    if (IsSvg(source)) {
        auto *svg = new QSvgRenderer(source, this);
        if (!svg->isValid()) {
            delete svg;
            return false;
        }
        Clear();
        svg_ = svg;
    } else {
        const QImage image = ReadBitmap(source);
        if (image.isNull())
            return false;
        Clear();
        image_ = image;
    }
    source_ = source;
    drawn_ = QPixmap();
    updateGeometry();
    update();
    return true;
}

QString TPicture::Source() const { return source_; }

void TPicture::SetImage(const QImage &image)
{
    Clear();
    image_ = image;
    drawn_ = QPixmap();
    updateGeometry();
    update();
}

void TPicture::Clear()
{
    delete svg_;
    svg_ = nullptr;
    image_ = QImage();
    source_.clear();
    drawn_ = QPixmap();
    update();
}

bool TPicture::IsEmpty() const { return !svg_ && image_.isNull(); }

QSize TPicture::PictureSize() const
{
    if (svg_)
        return svg_->defaultSize();
    return image_.size();
}

void TPicture::SetProportional(bool on)
{
    proportional_ = on;
    drawn_ = QPixmap();
    update();
}
bool TPicture::Proportional() const { return proportional_; }

QSize TPicture::sizeHint() const
{
    const QSize s = PictureSize();
    return s.isEmpty() ? QSize(64, 64) : s;
}

void TPicture::paintEvent(QPaintEvent *)
{
    if (IsEmpty())
        return;
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (drawn_.size() != pixels) {
        drawn_ = QPixmap(pixels);
        drawn_.setDevicePixelRatio(ratio);
        drawn_.fill(Qt::transparent);
        QPainter p(&drawn_);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const QRectF target = proportional_ ? FitRect(PictureSize(), rect()) : QRectF(rect());
        if (svg_)
            svg_->render(&p, target);
        else
            p.drawImage(target, image_);
    }
    QPainter(this).drawPixmap(0, 0, drawn_);
}
