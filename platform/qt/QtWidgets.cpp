// The Qt peers of the simple controls: label, button, panel, image, progress bar, toolbar,
// speed button, list box, combo box, and the timer driver.
#include <QKeyEvent>
#include <QPainter>

#include "platform/qt/QtPeers.h"

namespace platform::qt {

// Label

QtLabelPeer::QtLabelPeer(QWidget* parent) : QtPeer(new QLabel(parent)) {
  widget()->setTextFormat(Qt::PlainText);
  widget()->setWordWrap(false);
  widget()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  widget()->setMargin(0);
  widget()->setIndent(0);
}

void QtLabelPeer::SetCaption(const std::string& caption) {
  widget()->setText(ToQString(caption));
  Fit();
}

void QtLabelPeer::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  Fit();
}

void QtLabelPeer::SetTransparent(bool transparent) {
  transparent_ = transparent;
  widget()->setAutoFillBackground(!transparent);
}

void QtLabelPeer::SetFont(const TFont& font) {
  QtPeer::SetFont(font);
  Fit();
}

void QtLabelPeer::SetColor(TColor color) {
  QtPeer::SetColor(color);
  widget()->setAutoFillBackground(!transparent_);
}

void QtLabelPeer::SetBounds(int left, int top, int width, int height) {
  if (autoSize_) {
    widget()->move(left, top);
    Fit();
  } else {
    QtPeer::SetBounds(left, top, width, height);
  }
}

void QtLabelPeer::Fit() {
  if (!autoSize_) return;
  const QFontMetrics m(widget()->font());
  const QString text = widget()->text();
  widget()->resize(std::max(1, m.horizontalAdvance(text)), m.height());
}

// Button

QtButtonPeer::QtButtonPeer(QWidget* parent, ClickListener& listener)
    : QtPeer(new QPushButton(parent)) {
  widget()->setAutoDefault(false);
  widget()->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(widget(), &QPushButton::clicked, [&listener] { listener.PeerClick(); });
}

void QtButtonPeer::SetCaption(const std::string& caption) {
  widget()->setText(ToQString(caption));
}

void QtButtonPeer::SetDefault(bool isDefault) {
  widget()->setDefault(isDefault);
}

// Panel

QtPanelPeer::QtPanelPeer(QWidget* parent) : QtPeer(new QFrame(parent)) {
  widget()->setLineWidth(1);
}

void QtPanelPeer::SetBevelLowered(bool lowered) {
  widget()->setFrameStyle(lowered ? (QFrame::Panel | QFrame::Sunken) : QFrame::NoFrame);
}

// Image

void ImageWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, image);
}

QtImagePeer::QtImagePeer(QWidget* parent) : QtPeer(new ImageWidget(parent)) {}

void QtImagePeer::SetPicture(const TBitmapData& picture) {
  widget()->image = ToQImage(picture);
  widget()->update();
}

// Progress bar

QtProgressBarPeer::QtProgressBarPeer(QWidget* parent) : QtPeer(new QProgressBar(parent)) {
  widget()->setTextVisible(false);
}

// Toolbar: a filled strip with raised edge lines on the chosen sides.

void ToolBarWidget::paintEvent(QPaintEvent* e) {
  QFrame::paintEvent(e);
  QPainter p(this);
  const int w = width(), h = height();
  const QColor light(255, 255, 255), dark(160, 160, 160);
  if (edges[0]) {
    p.setPen(light);
    p.drawLine(0, 0, 0, h - 1);
  }
  if (edges[1]) {
    p.setPen(light);
    p.drawLine(0, 0, w - 1, 0);
  }
  if (edges[2]) {
    p.setPen(dark);
    p.drawLine(w - 1, 0, w - 1, h - 1);
  }
  if (edges[3]) {
    p.setPen(dark);
    p.drawLine(0, h - 1, w - 1, h - 1);
  }
}

QtToolBarPeer::QtToolBarPeer(QWidget* parent) : QtPeer(new ToolBarWidget(parent)) {}

void QtToolBarPeer::SetEdgeBorders(bool left, bool top, bool right, bool bottom) {
  widget()->edges[0] = left;
  widget()->edges[1] = top;
  widget()->edges[2] = right;
  widget()->edges[3] = bottom;
  widget()->update();
}

// Speed button

void SpeedButtonWidget::SetGlyph(const QImage& glyph) {
  glyph_ = glyph.convertToFormat(QImage::Format_ARGB32);
  greyed_ = glyph_;
  for (int y = 0; y < greyed_.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(greyed_.scanLine(y));
    for (int x = 0; x < greyed_.width(); ++x) {
      const int grey = 128 + qGray(line[x]) / 2;
      line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
    }
  }
  update();
}

void SpeedButtonWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const bool down = isDown();
  if (down) {
    p.setPen(QColor(128, 128, 128));
    p.drawLine(0, 0, width() - 1, 0);
    p.drawLine(0, 0, 0, height() - 1);
    p.setPen(QColor(255, 255, 255));
    p.drawLine(width() - 1, 0, width() - 1, height() - 1);
    p.drawLine(0, height() - 1, width() - 1, height() - 1);
  }
  const QImage& image = isEnabled() ? glyph_ : greyed_;
  const int shift = down ? 1 : 0;
  p.drawImage((width() - image.width()) / 2 + shift, (height() - image.height()) / 2 + shift,
              image);
}

QtSpeedButtonPeer::QtSpeedButtonPeer(QWidget* parent, ClickListener& listener)
    : QtPeer(new SpeedButtonWidget(parent)) {
  widget()->setFocusPolicy(Qt::NoFocus);
  QObject::connect(widget(), &QAbstractButton::clicked, [&listener] { listener.PeerClick(); });
}

void QtSpeedButtonPeer::SetGlyph(const TBitmapData& glyph) {
  widget()->SetGlyph(ToQImage(glyph));
}

// List box

void ListWidget::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    if (listener_.PeerEnter())
      e->accept();
    else
      e->ignore();  // the form presses its default button
    return;
  }
  QListWidget::keyPressEvent(e);
}

QtListBoxPeer::QtListBoxPeer(QWidget* parent, ListListener& listener)
    : QtPeer(new ListWidget(parent, listener)) {
  ListWidget* list = widget();
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setUniformItemSizes(true);
  list->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(list, &QListWidget::itemDoubleClicked, [list, &listener](QListWidgetItem* item) {
    listener.PeerDoubleClick(list->row(item));
  });
  QObject::connect(list, &QListWidget::currentRowChanged, [this, &listener](int row) {
    if (!quiet_) listener.PeerHighlight(row);
  });
}

void QtListBoxPeer::SetLines(const std::vector<TListLine>& lines) {
  quiet_ = true;
  ListWidget* list = widget();
  list->clear();
  int iconSize = 0;
  for (const TListLine& line : lines) {
    auto* item = new QListWidgetItem(QString(line.Indent * 2, QChar(' ')) + ToQString(line.Text));
    if (line.Glyph && !line.Glyph->Empty()) {
      item->setIcon(QIcon(QPixmap::fromImage(ToQImage(*line.Glyph))));
      iconSize = std::max(iconSize, line.Glyph->Height);
    }
    item->setSizeHint(QSize(0, lineHeight_));
    list->addItem(item);
  }
  if (iconSize > 0) list->setIconSize(QSize(iconSize, std::min(iconSize, lineHeight_)));
  list->setCurrentRow(-1);
  quiet_ = false;
}

void QtListBoxPeer::SetLineHeight(int pixels) {
  lineHeight_ = pixels;
  for (int i = 0; i < widget()->count(); ++i) widget()->item(i)->setSizeHint(QSize(0, pixels));
}

void QtListBoxPeer::SetHighlighted(int index) {
  quiet_ = true;
  widget()->setCurrentRow(index);
  if (index >= 0) widget()->scrollToItem(widget()->item(index));
  quiet_ = false;
}

// Combo box

QtComboBoxPeer::QtComboBoxPeer(QWidget* parent, ComboListener& listener)
    : QtPeer(new QComboBox(parent)) {
  widget()->setEditable(false);
  widget()->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(widget(), &QComboBox::activated,
                   [&listener](int index) { listener.PeerChange(index); });
}

void QtComboBoxPeer::SetLines(const std::vector<TListLine>& lines) {
  QComboBox* combo = widget();
  combo->clear();
  for (const TListLine& line : lines) {
    if (line.Glyph && !line.Glyph->Empty())
      combo->addItem(QIcon(QPixmap::fromImage(ToQImage(*line.Glyph))), ToQString(line.Text));
    else
      combo->addItem(ToQString(line.Text));
  }
  combo->setCurrentIndex(-1);
}

void QtComboBoxPeer::SetSelected(int index) {
  widget()->setCurrentIndex(index);
}

// Timer

QtTimerDriver::QtTimerDriver(std::function<void()> tick) {
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, [tick = std::move(tick)] { tick(); });
}

void QtTimerDriver::Start(unsigned intervalMs) {
  timer_.start(static_cast<int>(intervalMs));
}

void QtTimerDriver::Stop() {
  timer_.stop();
}

}  // namespace platform::qt
