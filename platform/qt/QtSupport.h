// Conversions between the layer's values and Qt's, shared by the Qt peers, and access to a
// peer's widget for the Qt backend's tests.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>
#include <string>

#include "platform/Backend.h"

namespace platform::qt {

// Resolves system colours (top byte 0xFF) to the desktop's classic values.
QColor ToQColor(TColor color);
// The face at |Height| pixels; the Japanese face is substituted where it is missing.
QFont ToQFont(const TFont& font);
// 8-bit text to Qt's text, for display only.
QString ToQString(const std::string& text);
QImage ToQImage(const TBitmapData& bitmap);

// The QWidget behind a widget peer (or a form's window behind its client peer's parent).
QWidget* WidgetOf(WidgetPeer& peer);
QWidget* WindowOf(FormPeer& peer);
// The backing image of a paint box peer.
const QImage& ImageOf(PaintBoxPeer& peer);

// Lets a widget peer find its QWidget.
class HasWidget {
 public:
  virtual ~HasWidget() = default;
  virtual QWidget* Widget() const = 0;
};

}  // namespace platform::qt
