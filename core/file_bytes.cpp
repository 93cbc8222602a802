#include "core/file_bytes.h"

#include <iterator>

#include "core/errors.h"
#include "platform/files/regular_file.h"

namespace relakin {

std::string ReadFileBytes(const std::string& path) {
  std::string bytes, failure;
  if (!files::ReadRegularFile(path, bytes, failure)) throw Error(ErrorKind::Io, failure);
  return bytes;
}

std::string ReadStreamBytes(std::istream& in, const std::string& name) {
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw Error(ErrorKind::Io, "Erreur de lecture du fichier " + name + ".");
  return content;
}

}  // namespace relakin
