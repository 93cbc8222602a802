#include "core/viewer_file_kind.h"

#include <filesystem>
#include <fstream>
#include <string_view>

#include "core/errors.h"

namespace relakin {
namespace {

constexpr std::string_view kHtmlLine = "<HTML>";

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

// The start of one line with its trailing blanks and control characters removed, kept only as
// far as needed to compare it with kHtmlLine: a longer line is cut one character past it.
// Consumes the line end too (CR LF counts as one).
std::string ReadLineHead(std::istream& in) {
  std::string head;
  std::size_t pendingBlanks = 0;  // blanks met since the last other character
  for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
    if (c == '\n') break;
    if (c == '\r') {
      if (in.peek() == '\n') in.get();
      break;
    }
    if (IsBlankOrControl(static_cast<char>(c))) {
      ++pendingBlanks;
      continue;
    }
    if (head.size() > kHtmlLine.size()) continue;  // already too long to match
    // Inner or leading blanks are kept (one stands for all: kHtmlLine holds none).
    if (pendingBlanks > 0) head += ' ';
    pendingBlanks = 0;
    head += static_cast<char>(c);
  }
  return head;
}

}  // namespace

ViewerFileKind ReadViewerFileKind(std::istream& in) {
  std::string line = ReadLineHead(in);
  if (line.empty()) line = ReadLineHead(in);
  return line == kHtmlLine ? ViewerFileKind::Html : ViewerFileKind::Text;
}

ViewerFileKind ReadViewerFileKind(const std::string& path) {
  // Opening a FIFO would wait for a writer; folders and devices are no files to view either.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    throw Error(ErrorKind::Io, "Impossible d'ouvrir le fichier " + path + ".");
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error(ErrorKind::Io, "Impossible d'ouvrir le fichier " + path + ".");
  const ViewerFileKind kind = ReadViewerFileKind(in);
  if (in.bad()) throw Error(ErrorKind::Io, "Erreur de lecture du fichier " + path + ".");
  return kind;
}

}  // namespace relakin
