#include "plotter/stats/distribution_file.h"

#include "platform/files/regular_file.h"
#include "plotter/stats/errors.h"
#include "plotter/stats/number_reader.h"

namespace vodave {
namespace {

constexpr int kSkippedLines = 3;
constexpr int kValuesPerLine = 10;

// The count is read in 32 bits so that a count above the limit is refused, not wrapped.
int ReadCount(NumberReader& in, const std::string& name) {
  const std::int32_t n = in.ReadInteger();
  if (n < 0) {
    const std::string where = name.empty() ? "" : name + ", ";
    throw Error(ErrorKind::Input,
                where + "ligne " + std::to_string(in.TokenLine()) +
                    " : nombre de valeurs négatif (" + std::to_string(n) + ").",
                in.TokenLine());
  }
  if (n > kMaxValues) throw Error(ErrorKind::TooManyValues, TooManyValuesMessage(), in.TokenLine());
  return n;
}

}  // namespace

std::string TooManyValuesMessage() {
  return "Ce programme traite une série de " + std::to_string(kMaxValues) + " valeurs au max !";
}

DistributionFile ParseDistributionFile(std::string content, const std::string& name) {
  NumberReader in(std::move(content), name);
  DistributionFile file;
  for (int i = 0; i < kSkippedLines; ++i) in.SkipLine();
  file.TitleLine = in.ReadLine();
  file.ObservedValue = in.ReadReal();
  in.SkipLine();
  const int n = ReadCount(in, name);
  in.SkipLine();
  file.PermutedValues.reserve(static_cast<std::size_t>(n));
  for (int i = 1; i <= n; ++i) {
    file.PermutedValues.push_back(in.ReadReal());
    if (i % kValuesPerLine == 0) in.SkipLine();
  }
  return file;
}

DistributionFile ReadDistributionFile(const std::string& path) {
  std::string bytes, failure;
  if (!relakin::files::ReadRegularFile(path, bytes, failure)) throw Error(ErrorKind::Io, failure);
  return ParseDistributionFile(bytes, path);
}

}  // namespace vodave
