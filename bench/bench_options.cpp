#include "bench/bench_options.h"

#include <cstdio>
#include <sstream>
#include <stdexcept>

namespace relakin::bench {
namespace {

long long ToNumber(const std::string& option, const std::string& text, long long lo, long long hi) {
  std::size_t used = 0;
  long long v = 0;
  try {
    v = std::stoll(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != text.size() || text.empty() || v < lo || v > hi)
    throw std::invalid_argument(option + ": expected a number from " + std::to_string(lo) + " to " +
                                std::to_string(hi) + ", got \"" + text + "\"");
  return v;
}

GenerateSpec ParseGenerate(const std::string& text) {
  std::vector<std::string> parts;
  std::stringstream in(text);
  for (std::string p; std::getline(in, p, ',');) parts.push_back(p);
  if (parts.size() < 3 || parts.size() > 5)
    throw std::invalid_argument("--generate: expected N,L,K[,MISSING%][,SEED]");
  GenerateSpec g;
  g.individuals = static_cast<unsigned>(ToNumber("--generate N", parts[0], 0, 65535));
  g.loci = static_cast<unsigned>(ToNumber("--generate L", parts[1], 0, 32767));
  g.alleles = static_cast<unsigned>(ToNumber("--generate K", parts[2], 1, 999));
  if (parts.size() > 3)
    g.missing_percent = static_cast<unsigned>(ToNumber("--generate MISSING%", parts[3], 0, 100));
  if (parts.size() > 4)
    g.seed = static_cast<std::uint32_t>(ToNumber("--generate SEED", parts[4], 0, 4294967295LL));
  return g;
}

}  // namespace

const char* Usage() {
  return "usage: relakin-bench matrix|perm|ci [options] ANALYSIS_FILE RESULT_FILE\n"
         "  --estimator 0|1|2      identity, Queller & Goodnight, Lynch & Ritland (0)\n"
         "  --precision N          decimals of the written values (2)\n"
         "  --perms N --perm-type 0|1 --test-on 0|1   permutation test (perm)\n"
         "  --method boot|jack --pairwise             confidence intervals (ci)\n"
         "  --seed N               seed of the random generator\n"
         "  --threads N            worker threads (all cores)\n"
         "  --reference            the literal single-thread path\n"
         "  --memory-write         then time writing as many bytes from memory (matrix)\n"
         "  --generate N,L,K[,MISSING%][,SEED]  first write a synthetic ANALYSIS_FILE\n";
}

BenchOptions ParseOptions(const std::vector<std::string>& args) {
  BenchOptions o;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw std::invalid_argument(a + ": missing value");
      return args[++i];
    };
    if (a == "--estimator") {
      o.estimator = static_cast<int>(ToNumber(a, value(), 0, 2));
    } else if (a == "--precision") {
      o.precision = static_cast<int>(ToNumber(a, value(), 0, 30));
    } else if (a == "--perms") {
      o.perms = static_cast<int>(ToNumber(a, value(), 0, 65535));
    } else if (a == "--perm-type") {
      o.perm_type = static_cast<int>(ToNumber(a, value(), 0, 1));
    } else if (a == "--test-on") {
      o.test_on = static_cast<int>(ToNumber(a, value(), 0, 1));
    } else if (a == "--method") {
      o.method = value();
      if (o.method != "boot" && o.method != "jack")
        throw std::invalid_argument("--method: expected boot or jack");
    } else if (a == "--pairwise") {
      o.pairwise = true;
    } else if (a == "--seed") {
      o.seed = static_cast<std::uint32_t>(ToNumber(a, value(), 0, 4294967295LL));
    } else if (a == "--threads") {
      o.threads = static_cast<unsigned>(ToNumber(a, value(), 1, 1024));
    } else if (a == "--reference") {
      o.reference = true;
    } else if (a == "--memory-write") {
      o.memory_write = true;
    } else if (a == "--generate") {
      o.generate = ParseGenerate(value());
    } else if (a.size() > 1 && a[0] == '-') {
      throw std::invalid_argument("unknown option " + a);
    } else {
      positional.push_back(a);
    }
  }
  if (positional.size() != 3)
    throw std::invalid_argument("expected a mode, ANALYSIS_FILE and RESULT_FILE");
  o.mode = positional[0];
  o.analysis_file = positional[1];
  o.result_file = positional[2];
  return o;
}

void PrintFigures(const BenchFigures& f) {
  std::printf("elapsed seconds: %.6f\n", f.seconds);
  std::printf("pairs: %llu\n", static_cast<unsigned long long>(f.pairs));
  std::printf("pair-loci per second: %.4g\n",
              f.seconds > 0 ? static_cast<double>(f.pair_loci) / f.seconds : 0.0);
}

}  // namespace relakin::bench
