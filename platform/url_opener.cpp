#include "platform/url_opener.h"

#include <QDesktopServices>

namespace relakin {
namespace {

class DesktopOpener : public UrlOpener {
 public:
  bool open(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

}  // namespace

UrlOpener& DesktopUrlOpener() {
  static DesktopOpener opener;
  return opener;
}

}  // namespace relakin
