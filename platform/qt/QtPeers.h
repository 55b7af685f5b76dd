// The Qt peers: one QWidget (or QAction) per control, created by QtBackend. Each peer owns
// its widget; the widgets report input to the layer's listeners. No moc is needed: signals
// are connected to lambdas and events are taken by overriding the widgets' handlers.
#pragma once

#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <memory>
#include <vector>

#include "platform/Backend.h"
#include "platform/qt/QtSupport.h"

namespace platform::qt {

// Settings every widget peer forwards the same way.
template <class PeerBase, class W>
class QtPeer : public PeerBase, public HasWidget {
 public:
  explicit QtPeer(W* widget) : w_(widget) {}
  ~QtPeer() override { delete w_.data(); }
  QWidget* Widget() const override { return w_.data(); }
  void SetBounds(int left, int top, int width, int height) override {
    w_->setGeometry(left, top, width, height);
  }
  void SetVisible(bool visible) override { w_->setVisible(visible); }
  void SetEnabled(bool enabled) override { w_->setEnabled(enabled); }
  void SetColor(TColor color) override {
    QPalette p = w_->palette();
    p.setColor(QPalette::Window, ToQColor(color));
    w_->setPalette(p);
    w_->setAutoFillBackground(true);
  }
  void SetFont(const TFont& font) override {
    w_->setFont(ToQFont(font));
    QPalette p = w_->palette();
    const QColor c = ToQColor(font.Color);
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::ButtonText, c);
    p.setColor(QPalette::Text, c);
    w_->setPalette(p);
  }
  void Repaint() override { w_->repaint(); }
  void SetFocus() override { w_->setFocus(Qt::OtherFocusReason); }

 protected:
  W* widget() const { return w_.data(); }

 private:
  QPointer<W> w_;
};

// --- the form window

class QtFormPeer;

class ClientArea : public QWidget {
 public:
  explicit ClientArea(QtFormPeer& owner) : owner_(owner) {}

 protected:
  void resizeEvent(QResizeEvent* e) override;

 private:
  QtFormPeer& owner_;
};

class FormWindow : public QMainWindow {
 public:
  FormWindow(QtFormPeer& owner) : owner_(owner) {}

 protected:
  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  QtFormPeer& owner_;
};

class QtClientPeer : public QtPeer<WidgetPeer, ClientArea> {
 public:
  using QtPeer::QtPeer;
};

class QtFormPeer : public FormPeer {
 public:
  explicit QtFormPeer(FormListener& listener);
  ~QtFormPeer() override;
  WidgetPeer& Client() override { return *client_; }
  void SetCaption(const std::string& caption) override;
  void SetStyle(const FormStyleSettings& style) override;
  void SetFramePosition(int left, int top) override;
  void SetClientSize(int width, int height) override;
  void SetFrameSize(int width, int height) override;
  TRect FrameRect() const override;
  int ClientWidth() const override { return clientWidth_; }
  int ClientHeight() const override { return clientHeight_; }
  void SetWindowState(TWindowState state) override;
  void SetColor(TColor color) override;
  void SetIcon(const TBitmapData& icon) override;
  void Show(bool modal) override;
  void Hide() override;
  void SetTabOrder(const std::vector<WidgetPeer*>& order) override;

  FormWindow* Window() const { return window_.data(); }
  FormListener& Listener() { return listener_; }
  // Runs the listener's paint once the event loop is back, coalescing repeated requests.
  void SchedulePaint();
  void ClientResized(int width, int height);
  int MenuHeight() const;

 private:
  FormListener& listener_;
  QPointer<FormWindow> window_;
  std::unique_ptr<QtClientPeer> client_;
  FormStyleSettings style_;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  bool paintPending_ = false;
};

// --- menus

class QtMenuItemPeer : public MenuItemPeer {
 public:
  QtMenuItemPeer(QAction* action, QMenu* menu) : action_(action), menu_(menu) {}
  void SetCaption(const std::string& caption) override;
  void SetEnabled(bool enabled) override;
  void SetVisible(bool visible) override;
  QMenu* Menu() const { return menu_; }

 private:
  QPointer<QAction> action_;
  QPointer<QMenu> menu_;  // set for drop-down titles
};

class QtMenuPeer : public MenuPeer {
 public:
  QtMenuPeer(QtFormPeer& form);
  MenuItemPeer& AddItem(MenuItemPeer* parent, const std::string& caption, bool separator,
                        bool hasChildren, ClickListener& listener) override;

 private:
  QMenuBar* bar_;
  std::vector<std::unique_ptr<QtMenuItemPeer>> items_;
};

// --- paint box

class PaintBoxWidget : public QWidget {
 public:
  PaintBoxWidget(QWidget* parent, MouseListener& listener);
  QImage& Image() { return image_; }
  void ResizeImage(int width, int height);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;

 private:
  void Report(QMouseEvent* e, bool isDouble);
  MouseListener& listener_;
  QImage image_;
};

class QtPaintBoxPeer : public QtPeer<PaintBoxPeer, PaintBoxWidget> {
 public:
  QtPaintBoxPeer(QWidget* parent, MouseListener& listener);
  void SetBounds(int left, int top, int width, int height) override;
  void SetColor(TColor color) override { color_ = color; }
  const QImage& Image() const { return widget()->Image(); }

  int SurfaceWidth() const override;
  int SurfaceHeight() const override;
  void FillRect(const TRect& r, TColor brush) override;
  void Rectangle(int x1, int y1, int x2, int y2, TColor pen, TColor brush) override;
  void TextOut(int x, int y, const std::string& text, const TFont& font, TColor brush) override;
  void CopyRect(const TRect& dest, CanvasSurface& from, const TRect& source) override;

 private:
  TColor color_ = clBlack;
};

// --- simple controls

class LabelWidget : public QLabel {
 public:
  using QLabel::QLabel;
};

class QtLabelPeer : public QtPeer<LabelPeer, QLabel> {
 public:
  explicit QtLabelPeer(QWidget* parent);
  void SetCaption(const std::string& caption) override;
  void SetAutoSize(bool autoSize) override;
  void SetTransparent(bool transparent) override;
  void SetFont(const TFont& font) override;
  void SetColor(TColor color) override;
  void SetBounds(int left, int top, int width, int height) override;
  int CurrentWidth() const override { return widget()->width(); }
  int CurrentHeight() const override { return widget()->height(); }

 private:
  void Fit();
  bool autoSize_ = true;
  bool transparent_ = false;
};

class QtButtonPeer : public QtPeer<ButtonPeer, QPushButton> {
 public:
  QtButtonPeer(QWidget* parent, ClickListener& listener);
  void SetColor(TColor) override {}
  void SetCaption(const std::string& caption) override;
  void SetDefault(bool isDefault) override;
};

class QtPanelPeer : public QtPeer<PanelPeer, QFrame> {
 public:
  explicit QtPanelPeer(QWidget* parent);
  void SetBevelLowered(bool lowered) override;
};

class ImageWidget : public QWidget {
 public:
  using QWidget::QWidget;
  QImage image;

 protected:
  void paintEvent(QPaintEvent* e) override;
};

class QtImagePeer : public QtPeer<ImagePeer, ImageWidget> {
 public:
  explicit QtImagePeer(QWidget* parent);
  void SetColor(TColor) override {}
  void SetPicture(const TBitmapData& picture) override;
};

class QtProgressBarPeer : public QtPeer<ProgressBarPeer, QProgressBar> {
 public:
  explicit QtProgressBarPeer(QWidget* parent);
  void SetColor(TColor) override {}
  void SetRange(int min, int max) override { widget()->setRange(min, max); }
  void SetSmooth(bool) override {}
  void SetPosition(int position) override { widget()->setValue(position); }
};

class ToolBarWidget : public QFrame {
 public:
  using QFrame::QFrame;
  bool edges[4] = {false, false, false, false};

 protected:
  void paintEvent(QPaintEvent* e) override;
};

class QtToolBarPeer : public QtPeer<ToolBarPeer, ToolBarWidget> {
 public:
  explicit QtToolBarPeer(QWidget* parent);
  void SetEdgeBorders(bool left, bool top, bool right, bool bottom) override;
};

// A flat toolbar button that draws its glyph pixel for pixel, centred, never scaled; a
// pressed button shows a sunken edge and its glyph one pixel down and right.
class SpeedButtonWidget : public QAbstractButton {
 public:
  using QAbstractButton::QAbstractButton;
  void SetGlyph(const QImage& glyph);

 protected:
  void paintEvent(QPaintEvent* e) override;
  QSize sizeHint() const override { return glyph_.size(); }

 private:
  QImage glyph_;
  QImage greyed_;  // the disabled look
};

class QtSpeedButtonPeer : public QtPeer<SpeedButtonPeer, SpeedButtonWidget> {
 public:
  QtSpeedButtonPeer(QWidget* parent, ClickListener& listener);
  void SetColor(TColor) override {}
  void SetGlyph(const TBitmapData& glyph) override;
  // Hints are not switched on for the program's windows: the text is kept, no tooltip shows.
  void SetHint(const std::string& hint) override { hint_ = hint; }

 private:
  std::string hint_;
};

class ListWidget : public QListWidget {
 public:
  ListWidget(QWidget* parent, ListListener& listener) : QListWidget(parent), listener_(listener) {}

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  ListListener& listener_;
};

class QtListBoxPeer : public QtPeer<ListBoxPeer, ListWidget> {
 public:
  QtListBoxPeer(QWidget* parent, ListListener& listener);
  void SetLines(const std::vector<TListLine>& lines) override;
  void SetLineHeight(int pixels) override;
  void SetHighlighted(int index) override;

 private:
  int lineHeight_ = 16;
  bool quiet_ = false;
};

class QtComboBoxPeer : public QtPeer<ComboBoxPeer, QComboBox> {
 public:
  QtComboBoxPeer(QWidget* parent, ComboListener& listener);
  void SetColor(TColor) override {}
  void SetLines(const std::vector<TListLine>& lines) override;
  void SetSelected(int index) override;
};

class QtTimerDriver : public TimerDriver {
 public:
  explicit QtTimerDriver(std::function<void()> tick);
  void Start(unsigned intervalMs) override;
  void Stop() override;

 private:
  QTimer timer_;
};

}  // namespace platform::qt
