// The Qt form window (a QMainWindow whose central widget is the client area) and its menu.
// The window never closes itself: a close request goes to the layer, which hides the
// window or refuses. Paints of the layer run once the event loop is back after a show or
// a size change.
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWindow>

#include "platform/qt/QtPeers.h"

namespace platform::qt {

void ClientArea::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  owner_.ClientResized(width(), height());
}

void FormWindow::closeEvent(QCloseEvent* e) {
  e->ignore();
  owner_.Listener().PeerCloseRequested();
}

void FormWindow::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  owner_.SchedulePaint();
}

void FormWindow::keyPressEvent(QKeyEvent* e) {
  if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter) {
    QMainWindow::keyPressEvent(e);
    return;
  }
  // A focused button that let Enter through is pressed; otherwise the default button.
  if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled()) {
    button->click();
    return;
  }
  owner_.Listener().PeerEnterKey();
}

void FormWindow::changeEvent(QEvent* e) {
  QMainWindow::changeEvent(e);
  if (e->type() != QEvent::WindowStateChange) return;
  const Qt::WindowStates s = windowState();
  owner_.Listener().PeerWindowStateChanged(s & Qt::WindowMinimized   ? wsMinimized
                                           : s & Qt::WindowMaximized ? wsMaximized
                                                                     : wsNormal);
}

QtFormPeer::QtFormPeer(FormListener& listener) : listener_(listener) {
  window_ = new FormWindow(*this);
  window_->setAttribute(Qt::WA_DeleteOnClose, false);
  auto* client = new ClientArea(*this);
  window_->setCentralWidget(client);
  client_ = std::make_unique<QtClientPeer>(client);
  client->setAutoFillBackground(true);
  SetStyle(style_);
}

QtFormPeer::~QtFormPeer() {
  client_.reset();
  delete window_.data();
}

void QtFormPeer::SetCaption(const std::string& caption) {
  window_->setWindowTitle(ToQString(caption));
}

void QtFormPeer::SetStyle(const FormStyleSettings& style) {
  style_ = style;
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (style.BorderIcons & biSystemMenu)
    flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (style.BorderIcons & biMinimize) flags |= Qt::WindowMinimizeButtonHint;
  if (style.BorderIcons & biMaximize && style.BorderStyle == bsSizeable)
    flags |= Qt::WindowMaximizeButtonHint;
  if (style.StayOnTop) flags |= Qt::WindowStaysOnTopHint;
  if (style.BorderStyle == bsDialog) flags |= Qt::Dialog;
  const bool wasVisible = window_->isVisible();
  window_->setWindowFlags(flags);
  if (style.BorderStyle != bsSizeable && clientWidth_ > 0)
    SetClientSize(clientWidth_, clientHeight_);
  if (wasVisible) window_->show();
}

int QtFormPeer::MenuHeight() const {
  QMenuBar* bar = window_->menuWidget() ? window_->menuBar() : nullptr;
  if (!bar) return 0;
  return bar->isVisible() ? bar->height() : bar->sizeHint().height();
}

void QtFormPeer::SetFramePosition(int left, int top) {
  window_->move(left, top);
}

void QtFormPeer::SetClientSize(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
  const QSize outer(width, height + MenuHeight());
  if (style_.BorderStyle == bsSizeable) {
    window_->setMinimumSize(0, 0);
    window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window_->resize(outer);
  } else {
    window_->setFixedSize(outer);
  }
}

void QtFormPeer::SetFrameSize(int width, int height) {
  const QRect frame = window_->frameGeometry();
  const QRect inner = window_->geometry();
  const int dw = frame.width() - inner.width();
  const int dh = frame.height() - inner.height();
  SetClientSize(width - dw, height - dh - MenuHeight());
}

TRect QtFormPeer::FrameRect() const {
  const QRect r = window_->frameGeometry();
  return TRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void QtFormPeer::SetWindowState(TWindowState state) {
  switch (state) {
    case wsNormal:
      window_->showNormal();
      break;
    case wsMinimized:
      window_->showMinimized();
      break;
    case wsMaximized:
      window_->showMaximized();
      break;
  }
}

void QtFormPeer::SetColor(TColor color) {
  client_->SetColor(color);
}

void QtFormPeer::SetIcon(const TBitmapData& icon) {
  window_->setWindowIcon(QIcon(QPixmap::fromImage(ToQImage(icon))));
}

void QtFormPeer::Show(bool modal) {
  if (!window_->isVisible())
    window_->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
  window_->show();
  if (QGuiApplication::platformName() != "offscreen") {  // it has no stacking to change
    window_->raise();
    window_->activateWindow();
  }
}

void QtFormPeer::Hide() {
  window_->hide();
  window_->setWindowModality(Qt::NonModal);
}

void QtFormPeer::SetTabOrder(const std::vector<WidgetPeer*>& order) {
  for (std::size_t i = 1; i < order.size(); ++i)
    QWidget::setTabOrder(WidgetOf(*order[i - 1]), WidgetOf(*order[i]));
}

void QtFormPeer::SchedulePaint() {
  if (paintPending_) return;
  paintPending_ = true;
  QTimer::singleShot(0, window_.data(), [this] {
    paintPending_ = false;
    if (window_->isVisible()) listener_.PeerPaint();
  });
}

void QtFormPeer::ClientResized(int width, int height) {
  if (width == clientWidth_ && height == clientHeight_) {
    SchedulePaint();
    return;
  }
  clientWidth_ = width;
  clientHeight_ = height;
  listener_.PeerClientResized(width, height);
  SchedulePaint();
}

// Menus

void QtMenuItemPeer::SetCaption(const std::string& caption) {
  action_->setText(ToQString(caption));
}

void QtMenuItemPeer::SetEnabled(bool enabled) {
  action_->setEnabled(enabled);
}

void QtMenuItemPeer::SetVisible(bool visible) {
  action_->setVisible(visible);
}

QtMenuPeer::QtMenuPeer(QtFormPeer& form) : bar_(form.Window()->menuBar()) {
  bar_->setNativeMenuBar(false);
}

MenuItemPeer& QtMenuPeer::AddItem(MenuItemPeer* parent, const std::string& caption, bool separator,
                                  bool hasChildren, ClickListener& listener) {
  QMenu* parentMenu = parent ? static_cast<QtMenuItemPeer*>(parent)->Menu() : nullptr;
  QAction* action = nullptr;
  QMenu* menu = nullptr;
  if (hasChildren) {
    menu = parentMenu ? parentMenu->addMenu(ToQString(caption)) : bar_->addMenu(ToQString(caption));
    action = menu->menuAction();
  } else if (separator) {
    action = parentMenu ? parentMenu->addSeparator() : bar_->addSeparator();
  } else {
    action = parentMenu ? parentMenu->addAction(ToQString(caption))
                        : bar_->addAction(ToQString(caption));
    QObject::connect(action, &QAction::triggered, [&listener] { listener.PeerClick(); });
  }
  items_.push_back(std::make_unique<QtMenuItemPeer>(action, menu));
  return *items_.back();
}

}  // namespace platform::qt
