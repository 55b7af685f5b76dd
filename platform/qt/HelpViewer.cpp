#include "platform/qt/HelpViewer.h"

#include <chm_lib.h>

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdint>

namespace platform::qt {

namespace {

constexpr char kScheme[] = "chm";
// Help pages are small; a bigger object means a damaged or hostile file.
constexpr std::uint64_t kMaxObjectSize = 16u << 20;
// #SYSTEM record codes.
constexpr unsigned kSystemDefaultTopic = 2;
constexpr unsigned kSystemTitle = 3;
// Started at when #SYSTEM names no topic or names one the archive lacks.
constexpr char kFallbackTopic[] = "/index.html";

unsigned ReadU16(const QByteArray& bytes, qsizetype at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

std::string ObjectPath(std::string topic) {
  if (!topic.empty() && topic.front() != '/') topic.insert(topic.begin(), '/');
  return topic;
}

}  // namespace

void ChmArchive::Closer::operator()(chmFile* file) const {
  chm_close(file);
}

std::unique_ptr<ChmArchive> ChmArchive::Open(const std::string& path) {
  chmFile* file = chm_open(path.c_str());
  if (!file) return nullptr;
  return std::unique_ptr<ChmArchive>(new ChmArchive(file));
}

std::optional<QByteArray> ChmArchive::Read(const std::string& objectPath) const {
  chmUnitInfo info{};
  if (chm_resolve_object(file_.get(), objectPath.c_str(), &info) != CHM_RESOLVE_SUCCESS)
    return std::nullopt;
  if (info.length > kMaxObjectSize) return std::nullopt;
  QByteArray bytes(static_cast<qsizetype>(info.length), '\0');
  if (info.length == 0) return bytes;
  LONGINT64 got =
      chm_retrieve_object(file_.get(), &info, reinterpret_cast<unsigned char*>(bytes.data()), 0,
                          static_cast<LONGINT64>(info.length));
  if (got != static_cast<LONGINT64>(info.length)) return std::nullopt;
  return bytes;
}

// #SYSTEM: a 32-bit version, then records of a 16-bit code, a 16-bit length and that many
// bytes; text records end in a NUL.
std::string ChmArchive::SystemEntry(unsigned code) const {
  std::optional<QByteArray> system = Read("/#SYSTEM");
  if (!system) return {};
  const QByteArray& bytes = *system;
  qsizetype at = 4;
  while (at + 4 <= bytes.size()) {
    unsigned recordCode = ReadU16(bytes, at);
    qsizetype length = ReadU16(bytes, at + 2);
    at += 4;
    if (at + length > bytes.size()) break;
    if (recordCode == code) {
      QByteArray text = bytes.mid(at, length);
      qsizetype end = text.indexOf('\0');
      return (end < 0 ? text : text.left(end)).toStdString();
    }
    at += length;
  }
  return {};
}

std::string ChmArchive::DefaultTopic() const {
  return ObjectPath(SystemEntry(kSystemDefaultTopic));
}

std::string ChmArchive::Title() const {
  return SystemEntry(kSystemTitle);
}

ChmBrowser::ChmBrowser(std::unique_ptr<ChmArchive> archive, QWidget* parent)
    : QTextBrowser(parent), archive_(std::move(archive)) {
  // Links are followed here rather than by QTextBrowser, which would hand the archive's own
  // "chm:" links to the desktop. Links that lead outside the archive go nowhere.
  setOpenLinks(false);
  connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
    if (url.scheme() == QLatin1String(kScheme)) setSource(url);
  });
}

QVariant ChmBrowser::loadResource(int /*type*/, const QUrl& name) {
  if (name.scheme() != QLatin1String(kScheme)) return {};
  std::optional<QByteArray> bytes =
      archive_->Read(name.path(QUrl::FullyDecoded).toUtf8().toStdString());
  if (!bytes) return {};
  return *bytes;
}

QUrl HelpViewer::UrlOf(const std::string& objectPath) {
  QUrl url;
  url.setScheme(QLatin1String(kScheme));
  url.setPath(QString::fromStdString(objectPath));
  return url;
}

std::unique_ptr<HelpViewer> HelpViewer::Open(const std::string& path) {
  std::unique_ptr<ChmArchive> archive = ChmArchive::Open(path);
  if (!archive) return nullptr;
  std::string home;
  for (const std::string& topic : {archive->DefaultTopic(), std::string(kFallbackTopic)}) {
    if (!topic.empty() && archive->Read(topic)) {
      home = topic;
      break;
    }
  }
  if (home.empty()) return nullptr;
  return std::unique_ptr<HelpViewer>(new HelpViewer(path, std::move(archive), home));
}

HelpViewer::HelpViewer(std::string path, std::unique_ptr<ChmArchive> archive, std::string home)
    : QWidget(nullptr),
      path_(std::move(path)),
      home_(std::move(home)),
      browser_(new ChmBrowser(std::move(archive), this)) {
  auto* back = new QPushButton(QStringLiteral("Back"), this);
  auto* forward = new QPushButton(QStringLiteral("Forward"), this);
  auto* homeButton = new QPushButton(QStringLiteral("Home"), this);
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(homeButton, &QPushButton::clicked, browser_, &QTextBrowser::home);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(back);
  buttons->addWidget(forward);
  buttons->addWidget(homeButton);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(browser_);

  browser_->setSource(UrlOf(home_));
  std::string title = browser_->Archive().Title();
  setWindowTitle(title.empty() ? browser_->documentTitle() : QString::fromStdString(title));
  resize(560, 480);
}

void HelpViewer::ShowHome() {
  if (browser_->source() != UrlOf(home_)) browser_->setSource(UrlOf(home_));
  show();
  raise();
  activateWindow();
}

}  // namespace platform::qt
