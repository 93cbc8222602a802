#include "analysis/confidence_file.h"

#include <cstdio>
#include <cstdlib>

#include "analysis/fixed_format.h"

namespace relakin {
namespace {

const char* Heading(int Estimator) {
  switch (Estimator) {
    case kLynchRitland:
      return "rxy in Lynch & Ritland 1999. ";
    case kQuellerGoodnight:
      return "rxy in Queller & Goodnight 1989. ";
    default:
      return " I= Ixy/(racine(Ix)*racine(Iy)) par paire d'individus : ";
  }
}

}  // namespace

std::string ConfidenceHeader(const AnalysisData& data, int Estimator) {
  std::string s = "Data File name : " + data.DataTitle + "\r\n";
  s += std::to_string(data.NbLoci) + " Locus\r\n";
  s += std::to_string(data.NbPopGrouped) + " Population(s) grouped\r\n";
  return s + Heading(Estimator);
}

std::string ConfidenceTitle(std::uint16_t Method) {
  return Method == 0 ? "95% Confidence limits after 100 bootstraps over loci :\r\n\r\n"
                     : "95% Confidence limits after jackknife over loci :\r\n\r\n";
}

void AppendMatrixCell(std::string& out, double value, std::uint16_t Precision) {
  AppendFixed(out, value, 8, Precision);  // NotComputed prints as 999 with its decimals
  out += '\t';
}

void AppendEmptyCells(std::string& out, std::uint32_t i, const char* cell) {
  for (std::uint32_t k = 0; k < i; ++k) out += cell;
}

std::string GeneralNumberText(double value) {
  if (value == 0) return "0";
  // 15 significant digits: d.dddddddddddddde[+-]X.
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.14e", value);
  std::string text = buf;
  const std::size_t e = text.find('e');
  const int exponent = std::atoi(text.c_str() + e + 1);
  std::string digits;
  for (std::size_t k = 0; k < e; ++k)
    if (text[k] >= '0' && text[k] <= '9') digits += text[k];
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string out = value < 0 ? "-" : "";
  if (exponent < -5 || exponent >= 15) {
    out += digits[0];
    if (digits.size() > 1) out.append(".").append(digits, 1);
    return out.append("E").append(std::to_string(exponent));
  }
  if (exponent < 0) return out.append("0.").append(-exponent - 1, '0').append(digits);
  const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= whole) return out.append(digits).append(whole - digits.size(), '0');
  return out.append(digits, 0, whole).append(".").append(digits, whole);
}

std::string DegenerateLociMessage(const DegenerateLocusTally& tally) {
  return "Sab =" + GeneralNumberText(tally.Sab) + " Pa=" + GeneralNumberText(tally.pa) +
         " Pb=" + GeneralNumberText(tally.pb) + " (" + std::to_string(tally.count) + " fois)";
}

}  // namespace relakin
