// The Qt 6 backend: owns the QApplication, runs its event loop for the layer's loops,
// creates the peers and converts the layer's colours, fonts, texts and images.
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <cstdlib>

#include "platform/qt/QtPeers.h"

namespace platform::qt {

namespace {

// The desktop's classic system colours, 0x00BBGGRR, by index.
TColor SystemColor(TColor color) {
  switch (color & 0xFF) {
    case 8:
      return 0x000000;  // window text
    case 11:
      return 0xFCF7F4;  // inactive border
    case 15:
      return 0xF0F0F0;  // button face
    case 22:
      return 0xE3E3E3;  // 3-D light
    default:
      return 0xC0C0C0;
  }
}

const char kJapaneseFace[] =
    "\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF";

}  // namespace

QColor ToQColor(TColor color) {
  if (IsSystemColor(color)) color = SystemColor(color);
  return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

QFont ToQFont(const TFont& font) {
  QFont f(ToQString(font.Name));
  f.setPixelSize(std::max(1, std::abs(font.Height)));
  f.setBold(font.Bold);
  return f;
}

QString ToQString(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QImage ToQImage(const TBitmapData& bitmap) {
  if (bitmap.Empty()) return QImage();
  QImage image(bitmap.Width, bitmap.Height, QImage::Format_ARGB32);
  for (int y = 0; y < bitmap.Height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < bitmap.Width; ++x)
      line[x] = bitmap.Pixels[static_cast<std::size_t>(y) * bitmap.Width + x];
  }
  return image;
}

QWidget* WidgetOf(WidgetPeer& peer) {
  auto* has = dynamic_cast<HasWidget*>(&peer);
  return has ? has->Widget() : nullptr;
}

QWidget* WindowOf(FormPeer& peer) {
  return static_cast<QtFormPeer&>(peer).Window();
}

const QImage& ImageOf(PaintBoxPeer& peer) {
  return static_cast<QtPaintBoxPeer&>(peer).Image();
}

namespace {

class QtBackend final : public Backend {
 public:
  QtBackend() {
    if (!QApplication::instance()) app_ = std::make_unique<QApplication>(argc_, argv_);
    QApplication::setQuitOnLastWindowClosed(false);
    QFont::insertSubstitution(kJapaneseFace, "IPAPGothic");
    TFont standard;
    QApplication::setFont(ToQFont(standard));
  }

  void ProcessEvents() override { QCoreApplication::processEvents(QEventLoop::AllEvents); }
  void WaitEvents() override {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  }
  void WakeUp() override {
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) dispatcher->wakeUp();
  }

  std::unique_ptr<FormPeer> CreateForm(FormListener& listener) override {
    return std::make_unique<QtFormPeer>(listener);
  }
  std::unique_ptr<MenuPeer> CreateMenu(FormPeer& form) override {
    return std::make_unique<QtMenuPeer>(static_cast<QtFormPeer&>(form));
  }
  std::unique_ptr<PaintBoxPeer> CreatePaintBox(WidgetPeer& parent,
                                               MouseListener& listener) override {
    return std::make_unique<QtPaintBoxPeer>(WidgetOf(parent), listener);
  }
  std::unique_ptr<LabelPeer> CreateLabel(WidgetPeer& parent) override {
    return std::make_unique<QtLabelPeer>(WidgetOf(parent));
  }
  std::unique_ptr<ButtonPeer> CreateButton(WidgetPeer& parent, ClickListener& listener) override {
    return std::make_unique<QtButtonPeer>(WidgetOf(parent), listener);
  }
  std::unique_ptr<PanelPeer> CreatePanel(WidgetPeer& parent) override {
    return std::make_unique<QtPanelPeer>(WidgetOf(parent));
  }
  std::unique_ptr<ImagePeer> CreateImage(WidgetPeer& parent) override {
    return std::make_unique<QtImagePeer>(WidgetOf(parent));
  }
  std::unique_ptr<ProgressBarPeer> CreateProgressBar(WidgetPeer& parent) override {
    return std::make_unique<QtProgressBarPeer>(WidgetOf(parent));
  }
  std::unique_ptr<ToolBarPeer> CreateToolBar(WidgetPeer& parent) override {
    return std::make_unique<QtToolBarPeer>(WidgetOf(parent));
  }
  std::unique_ptr<SpeedButtonPeer> CreateSpeedButton(WidgetPeer& parent,
                                                     ClickListener& listener) override {
    return std::make_unique<QtSpeedButtonPeer>(WidgetOf(parent), listener);
  }
  std::unique_ptr<ListBoxPeer> CreateListBox(WidgetPeer& parent, ListListener& listener) override {
    return std::make_unique<QtListBoxPeer>(WidgetOf(parent), listener);
  }
  std::unique_ptr<ComboBoxPeer> CreateComboBox(WidgetPeer& parent,
                                               ComboListener& listener) override {
    return std::make_unique<QtComboBoxPeer>(WidgetOf(parent), listener);
  }
  std::unique_ptr<TimerDriver> CreateTimerDriver(std::function<void()> tick) override {
    return std::make_unique<QtTimerDriver>(std::move(tick));
  }

  void MessageBox(const std::string& title, const std::string& text) override {
    QMessageBox box(QMessageBox::Critical, ToQString(title), ToQString(text), QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
  }

  void SetCursor(TCursor cursor) override {
    if (overridden_) {
      QGuiApplication::restoreOverrideCursor();
      overridden_ = false;
    }
    if (cursor == crHourGlass) {
      QGuiApplication::setOverrideCursor(Qt::WaitCursor);
      overridden_ = true;
    }
  }

  int ScreenWidth() const override {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() : 0;
  }
  int ScreenHeight() const override {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().height() : 0;
  }

  void MeasureText(const TFont& font, const std::string& text, int& width,
                   int& height) const override {
    const QFontMetrics m(ToQFont(font));
    width = m.horizontalAdvance(ToQString(text));
    height = m.height();
  }

 private:
  int argc_ = 1;
  char name_[10] = "ombrelith";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
  bool overridden_ = false;
};

}  // namespace

}  // namespace platform::qt

namespace platform {

// The backend lives until the process ends: forms destroyed at exit still find it.
Backend& CurrentBackend() {
  static Backend* backend = new qt::QtBackend();
  return *backend;
}

}  // namespace platform
