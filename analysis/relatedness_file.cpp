#include "analysis/relatedness_file.h"

#include <cstring>

#include "analysis/estimators.h"
#include "analysis/fixed_format.h"
#include "core/codepage.h"

namespace relakin {
namespace {

const char* const kIdentityHeading[] = {
    "I= Ixy/(racine(Ix)*racine(Iy)) par paire d'individus : (999 = calcul non fait !)",
    " Ixy (as mathieu et al.)",
    "  = SOMMEj(SOMMEi(Pijx*Pijy)/SOMMEi(Faij)²)",
    "   / SOMMEj(1/SOMMEi(Faij)²)",
    " avec :",
    " aij allèle i au locus j",
    " Faij la fréquence de cet allèle dans l'échantillon",
    " Pijx probabilité de tirer l'allèle i au locus j chez l'indiv x",
};

}  // namespace

const char kDistanceHeading[] =
    "Valeurs de D=1-I par paire d'individus : (999 = calcul non fait !)";

std::string RelatednessHeader(const AnalysisData& data, int Estimator) {
  std::string h = "Data File name  : " + data.DataTitle + "\r\n";
  h += std::to_string(data.NbLoci) + " Loci\r\n";
  h += std::to_string(data.NbPopGrouped) + " Population(s) grouped\r\n";
  if (Estimator == kLynchRitland) {
    h += "Rxy as in Lynch & Ritland 1999\r\n";
  } else if (Estimator == kQuellerGoodnight) {
    h += "Rxy as in Queller & Goodnight 1989\r\n";
  } else {
    for (const char* line : kIdentityHeading) h += Utf8ToCp1252(line) + "\r\n";
  }
  return h;
}

RelatednessRows::RelatednessRows(std::uint16_t NbInd, std::uint16_t Precision)
    : nb_ind_(NbInd),
      decimals_(Precision),
      width_(Precision + 2),
      cells_(width_, decimals_),
      not_computed_(" ") {
  AppendInteger(not_computed_, 999, width_);
}

std::size_t RelatednessRows::RowBytes() const {
  return 10 + std::size_t{nb_ind_} * (width_ + 1) + 2;
}

std::string RelatednessRows::ColumnLine() const {
  std::string s(10, ' ');
  for (unsigned j = 1; j <= nb_ind_; ++j) {
    s += ' ';
    AppendInteger(s, j, width_);
  }
  return s;
}

void RelatednessRows::Begin(std::uint16_t i, TextRow& values, TextRow& distances) const {
  char lead[10];
  std::memset(lead, ' ', sizeof lead);
  for (unsigned k = i, at = sizeof lead; k != 0; k /= 10)
    lead[--at] = static_cast<char>('0' + k % 10);
  for (TextRow* row : {&values, &distances}) {
    row->Append(std::string_view(lead, sizeof lead));
    row->Append(std::size_t{i} * (width_ + 1), ' ');
  }
}

void RelatednessRows::WideField(double v, TextRow& row) const {
  std::string cell;
  AppendBlankAndFixed(cell, v, width_, decimals_);
  row.Append(cell);
}

void RelatednessRows::Cells(const double* v, std::size_t count, TextRow& values,
                            TextRow& distances) const {
  for (std::size_t k = 0; k < count; ++k) {
    if (v[k] == NotComputed) {
      values.Append(not_computed_);
      distances.Append(not_computed_);
      continue;
    }
    char* at = values.Room(kCellRoom);
    if (char* end = cells_.Write(at, v[k])) {
      values.Advance(end - at);
    } else {
      WideField(v[k], values);
    }
    at = distances.Room(kCellRoom);
    if (char* end = cells_.Write(at, 1 - v[k])) {
      distances.Advance(end - at);
    } else {
      WideField(1 - v[k], distances);
    }
  }
}

void RelatednessRows::End(std::uint16_t i, TextRow& values, TextRow& distances) const {
  if (i >= nb_ind_) return;
  values.Append("\r\n");
  distances.Append("\r\n");
}

}  // namespace relakin
