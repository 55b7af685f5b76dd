// The Qt help window: a compiled help file (.chm) read with chmlib and shown in a small
// top-level window. ChmArchive owns the open file and hands out its objects; HelpViewer shows
// the archive's default topic in a QTextBrowser whose pages, style sheets and images are all
// loaded from the archive, so relative links move between the archive's pages.
#pragma once

#include <QByteArray>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

struct chmFile;

namespace platform::qt {

class ChmArchive {
 public:
  // Null when the file is missing or is not a readable help file.
  static std::unique_ptr<ChmArchive> Open(const std::string& path);

  // The bytes of the object at `objectPath` ("/index.html"); nullopt when the archive has
  // no such object or it cannot be read whole.
  std::optional<QByteArray> Read(const std::string& objectPath) const;

  // From the archive's #SYSTEM object; empty when it names none.
  std::string DefaultTopic() const;  // as an object path, "/index.html"
  std::string Title() const;

 private:
  struct Closer {
    void operator()(chmFile* file) const;
  };
  explicit ChmArchive(chmFile* file) : file_(file) {}
  std::string SystemEntry(unsigned code) const;

  std::unique_ptr<chmFile, Closer> file_;
};

// Owns the archive and loads every resource of the document from it; links keep the "chm:"
// scheme, so Qt resolves relative links and images against the page that names them. Nothing
// outside the archive is loaded.
class ChmBrowser : public QTextBrowser {
 public:
  ChmBrowser(std::unique_ptr<ChmArchive> archive, QWidget* parent);
  const ChmArchive& Archive() const { return *archive_; }
  QVariant loadResource(int type, const QUrl& name) override;

 private:
  std::unique_ptr<ChmArchive> archive_;
};

class HelpViewer : public QWidget {
 public:
  // Null when the file cannot be read or holds no page to start at.
  static std::unique_ptr<HelpViewer> Open(const std::string& path);

  const std::string& FilePath() const { return path_; }
  QTextBrowser* Browser() const { return browser_; }
  // Shows the default topic and brings the window to the front.
  void ShowHome();

  // The URL under which an archive's object is shown.
  static QUrl UrlOf(const std::string& objectPath);

 private:
  HelpViewer(std::string path, std::unique_ptr<ChmArchive> archive, std::string home);

  std::string path_;
  std::string home_;
  ChmBrowser* browser_;
};

}  // namespace platform::qt
