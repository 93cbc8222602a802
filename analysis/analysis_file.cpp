#include "analysis/analysis_file.h"

#include "core/errors.h"
#include "core/text_reader.h"

namespace relakin {
namespace {

constexpr std::size_t kNameField = 10;
constexpr std::uint16_t kMaxLoci = 32767;

std::uint16_t Low16(std::int64_t v) { return static_cast<std::uint16_t>(v); }

[[noreturn]] void CapacityError(const TextReader& in, const std::string& what) {
  const std::string where = in.Name().empty() ? "" : in.Name() + ", ";
  throw Error(ErrorKind::Capacity, where + "ligne " + std::to_string(in.Line()) + " : " + what,
              in.Line());
}

void ReadLocusBlocks(TextReader& in, AnalysisData& d) {
  d.AlleleCodes.assign(d.NbLoci + 1, {});
  for (std::size_t l = 1; l <= d.NbLoci; ++l) {
    in.SkipLine();
    const std::uint16_t k = Low16(in.ReadInteger());
    std::vector<std::uint16_t>& list = d.AlleleCodes[l];
    list.assign(k + 1, 0);
    list[0] = k;
    for (std::size_t i = 1; i <= k; ++i) list[i] = Low16(in.ReadInteger());
    in.SkipLine();
  }
}

void ReadIndividual(TextReader& in, AnalysisData& d) {
  in.ReadField(kNameField, "le nom de l'individu");
  if (d.NbInd == 65535) CapacityError(in, "plus de 65535 individus.");
  if (d.NbLoci > kMaxLoci) CapacityError(in, "plus de 32767 locus.");
  ++d.NbInd;
  std::vector<std::uint16_t>& row = d.Genotypes[d.NbInd];
  for (std::size_t l = 1; l <= d.NbLoci; ++l) {
    const std::int64_t g = in.ReadInteger();
    if (g < 0 || g / 1000 > 65535)
      CapacityError(in, "génotype hors limites : " + std::to_string(g) + ".");
    row[2 * l - 1] = static_cast<std::uint16_t>(g / 1000);
    row[2 * l] = static_cast<std::uint16_t>(g % 1000);
  }
  in.SkipLine();
}

void ReadPopulationBlocks(TextReader& in, AnalysisData& d) {
  d.NbInd = 0;
  d.Genotypes.assign(1, {});
  for (std::size_t p = 1; p <= d.NbPopGrouped; ++p) {
    in.SkipLine();
    const std::uint16_t n = Low16(in.ReadInteger());
    in.SkipLine();
    d.Genotypes.resize(d.Genotypes.size() + n,
                       std::vector<std::uint16_t>(2 * std::size_t{d.NbLoci} + 1, 0));
    for (std::size_t i = 0; i < n; ++i) ReadIndividual(in, d);
  }
}

AnalysisData Read(TextReader& in, const AnalysisHeaderHook& on_header) {
  AnalysisData d;
  d.NbLoci = Low16(in.ReadInteger());
  d.DataTitle = in.ReadToLineEnd();
  in.SkipLine();
  d.NbPopGrouped = Low16(in.ReadInteger());
  in.SkipLine();
  if (on_header) on_header(d);
  ReadLocusBlocks(in, d);
  ReadPopulationBlocks(in, d);
  return d;
}

}  // namespace

AnalysisData ReadAnalysisFile(const std::string& DataFile, const AnalysisHeaderHook& on_header) {
  TextReader in = TextReader::FromFile(DataFile);
  return Read(in, on_header);
}

AnalysisData ReadAnalysisText(std::string content, const std::string& name,
                              const AnalysisHeaderHook& on_header) {
  TextReader in(std::move(content), name);
  return Read(in, on_header);
}

}  // namespace relakin
