// The paint box: a widget that shows its backing image. Canvas calls draw on the image with
// the GDI pixel rules (a rectangle covers x1..x2-1 and y1..y2-1, fills cover
// [Left,Right) x [Top,Bottom), text sits on an opaque box of the brush colour), without
// antialiasing, clipped to the image, and then ask for the widget to be shown again.
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "platform/qt/QtPeers.h"

namespace platform::qt {

PaintBoxWidget::PaintBoxWidget(QWidget* parent, MouseListener& listener)
    : QWidget(parent), listener_(listener) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  image_ = QImage(1, 1, QImage::Format_RGB32);
  image_.fill(Qt::black);
}

void PaintBoxWidget::ResizeImage(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (image_.width() == width && image_.height() == height) return;
  QImage next(width, height, QImage::Format_RGB32);
  next.fill(Qt::black);
  QPainter p(&next);
  p.drawImage(0, 0, image_);
  p.end();
  image_ = std::move(next);
}

void PaintBoxWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, image_);
}

void PaintBoxWidget::Report(QMouseEvent* e, bool isDouble) {
  TMouseButton button = mbLeft;
  if (e->button() == Qt::RightButton)
    button = mbRight;
  else if (e->button() == Qt::MiddleButton)
    button = mbMiddle;
  else if (e->button() != Qt::LeftButton)
    return;
  TShiftState shift = 0;
  const Qt::KeyboardModifiers mods = e->modifiers();
  if (mods & Qt::ShiftModifier) shift |= ssShift;
  if (mods & Qt::ControlModifier) shift |= ssCtrl;
  if (mods & Qt::AltModifier) shift |= ssAlt;
  const Qt::MouseButtons held = e->buttons();
  if (held & Qt::LeftButton) shift |= ssLeft;
  if (held & Qt::RightButton) shift |= ssRight;
  if (held & Qt::MiddleButton) shift |= ssMiddle;
  if (isDouble) shift |= ssDouble;
  const QPoint pos = e->position().toPoint();
  listener_.PeerMouseDown(button, shift, pos.x(), pos.y());
}

void PaintBoxWidget::mousePressEvent(QMouseEvent* e) {
  Report(e, false);
}

void PaintBoxWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  Report(e, true);
}

QtPaintBoxPeer::QtPaintBoxPeer(QWidget* parent, MouseListener& listener)
    : QtPeer(new PaintBoxWidget(parent, listener)) {}

void QtPaintBoxPeer::SetBounds(int left, int top, int width, int height) {
  widget()->ResizeImage(width, height);
  QtPeer::SetBounds(left, top, width, height);
}

int QtPaintBoxPeer::SurfaceWidth() const {
  return widget()->width();
}
int QtPaintBoxPeer::SurfaceHeight() const {
  return widget()->height();
}

namespace {

// The part of [x1,x2) x [y1,y2) inside the image, or an empty rectangle.
QRect Clip(const QImage& image, int x1, int y1, int x2, int y2) {
  const int l = std::max(x1, 0), t = std::max(y1, 0);
  const int r = std::min(x2, image.width()), b = std::min(y2, image.height());
  if (r <= l || b <= t) return QRect();
  return QRect(l, t, r - l, b - t);
}

void Fill(QImage& image, int x1, int y1, int x2, int y2, const QColor& color) {
  const QRect r = Clip(image, x1, y1, x2, y2);
  if (r.isEmpty()) return;
  const QRgb rgb = color.rgb();
  for (int y = r.top(); y <= r.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    std::fill(line + r.left(), line + r.left() + r.width(), rgb);
  }
}

}  // namespace

void QtPaintBoxPeer::FillRect(const TRect& r, TColor brush) {
  Fill(widget()->Image(), r.Left, r.Top, r.Right, r.Bottom, ToQColor(brush));
  widget()->update();
}

void QtPaintBoxPeer::Rectangle(int x1, int y1, int x2, int y2, TColor pen, TColor brush) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  QImage& image = widget()->Image();
  const QColor p = ToQColor(pen);
  Fill(image, x1, y1, x2, y1 + 1, p);  // top edge
  Fill(image, x1, y2 - 1, x2, y2, p);  // bottom edge
  Fill(image, x1, y1, x1 + 1, y2, p);  // left edge
  Fill(image, x2 - 1, y1, x2, y2, p);  // right edge
  Fill(image, x1 + 1, y1 + 1, x2 - 1, y2 - 1, ToQColor(brush));
  widget()->update();
}

void QtPaintBoxPeer::TextOut(int x, int y, const std::string& text, const TFont& font,
                             TColor brush) {
  QImage& image = widget()->Image();
  const QFont f = ToQFont(font);
  const QFontMetrics metrics(f);
  const QString s = ToQString(text);
  const int w = metrics.horizontalAdvance(s);
  const int h = metrics.height();
  Fill(image, x, y, x + w, y + h, ToQColor(brush));
  QPainter painter(&image);
  painter.setFont(f);
  painter.setPen(ToQColor(font.Color));
  painter.drawText(x, y + metrics.ascent(), s);
  painter.end();
  widget()->update();
}

void QtPaintBoxPeer::CopyRect(const TRect& dest, CanvasSurface& from, const TRect& source) {
  auto* other = dynamic_cast<QtPaintBoxPeer*>(&from);
  if (!other) return;
  // Copy through a snapshot so a copy within one surface reads the pixels as they were.
  const QImage src = other->Image().copy(source.Left, source.Top, source.Width(), source.Height());
  QImage& image = widget()->Image();
  QPainter painter(&image);
  painter.setClipRect(QRect(0, 0, image.width(), image.height()));
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  if (dest.Width() == source.Width() && dest.Height() == source.Height())
    painter.drawImage(dest.Left, dest.Top, src);
  else
    painter.drawImage(QRect(dest.Left, dest.Top, dest.Width(), dest.Height()), src);
  painter.end();
  widget()->update();
}

}  // namespace platform::qt
