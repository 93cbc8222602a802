// Handing an address to the user's desktop, which opens it with the program chosen there (a
// file:// address of an HTML page opens in the browser). The windows ask through UrlOpener so
// that tests can stand in for the desktop.
#pragma once

#include <QUrl>

namespace relakin {

class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  // False when the desktop has nothing to open `url` with.
  virtual bool open(const QUrl& url) = 0;
};

// The desktop's own (QDesktopServices); lives as long as the program.
UrlOpener& DesktopUrlOpener();

}  // namespace relakin
