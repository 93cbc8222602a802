#include "analysis/analysis_file.h"

#include "core/errors.h"
#include "core/text_reader.h"

namespace relakin {
namespace {

constexpr std::size_t kNameField = 10;
constexpr std::uint16_t kMaxLoci = 32767;

std::uint16_t Low16(std::int64_t v) { return static_cast<std::uint16_t>(v); }

[[noreturn]] void CapacityError(const TextReader& in, const std::string& what) {
  throw Error(ErrorKind::Capacity, in.Where() + what, in.Line());
}

// The file ends where `what` should stand.
[[noreturn]] void Truncated(const TextReader& in, const std::string& what) {
  in.Fail("fichier tronqué : la fin du fichier arrive avant " + what + ".");
}

std::uint16_t RequiredNumber(TextReader& in, const std::string& what) {
  if (!in.MoreTokens()) Truncated(in, what);
  return Low16(in.ReadInteger());
}

// Each list grows with the codes read, not with the count it announces.
void ReadLocusBlocks(TextReader& in, AnalysisData& d) {
  d.AlleleCodes.assign(1, {});
  for (std::size_t l = 1; l <= d.NbLoci; ++l) {
    const std::string locus = "du locus " + std::to_string(l);
    if (in.AtEof())
      Truncated(in, "le bloc " + locus + " (" + std::to_string(d.NbLoci) + " annoncés)");
    in.SkipLine();
    std::vector<std::uint16_t>& list = d.AlleleCodes.emplace_back();
    const std::uint16_t k = RequiredNumber(in, "le nombre d'allèles " + locus);
    list.push_back(k);
    for (std::size_t i = 1; i <= k; ++i)
      list.push_back(RequiredNumber(in, "l'allèle " + std::to_string(i) + " " + locus));
    in.SkipLine();
  }
}

void ReadIndividual(TextReader& in, AnalysisData& d, const std::string& who) {
  if (in.AtEof()) Truncated(in, who);
  if (in.ReadField(kNameField, "le nom de l'individu").size() < kNameField)
    Truncated(in, "la fin du nom de " + who);
  if (d.NbInd == 65535) CapacityError(in, "plus de 65535 individus.");
  if (d.NbLoci > kMaxLoci) CapacityError(in, "plus de 32767 locus.");
  std::vector<std::uint16_t>& row = d.Genotypes.emplace_back(2 * std::size_t{d.NbLoci} + 1, 0);
  ++d.NbInd;
  for (std::size_t l = 1; l <= d.NbLoci; ++l) {
    if (!in.MoreTokens()) Truncated(in, "le génotype du locus " + std::to_string(l) + " de " + who);
    const std::int64_t g = in.ReadInteger();
    if (g < 0 || g / 1000 > 65535)
      CapacityError(in, "génotype hors limites : " + std::to_string(g) + ".");
    row[2 * l - 1] = static_cast<std::uint16_t>(g / 1000);
    row[2 * l] = static_cast<std::uint16_t>(g % 1000);
  }
  in.SkipLine();
}

// Rows are added as individuals are read, never from the count a block announces.
void ReadPopulationBlocks(TextReader& in, AnalysisData& d) {
  d.NbInd = 0;
  d.Genotypes.assign(1, {});
  for (std::size_t p = 1; p <= d.NbPopGrouped; ++p) {
    const std::string pop = "la population " + std::to_string(p);
    if (in.AtEof()) Truncated(in, pop + " (" + std::to_string(d.NbPopGrouped) + " annoncées)");
    in.SkipLine();
    const std::uint16_t n = RequiredNumber(in, "le nombre d'individus de " + pop);
    in.SkipLine();
    for (std::size_t i = 1; i <= n; ++i) {
      ReadIndividual(in, d,
                     "l'individu " + std::to_string(i) + " de " + pop + " (" + std::to_string(n) +
                         " annoncés)");
    }
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
