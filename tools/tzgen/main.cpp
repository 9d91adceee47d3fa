// tzgen <output file> [year]: writes the Windows zone list with the rules in force in
// the given year (default: the current one), checked against that year and the next.
#include <unicode/uversion.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "RuleFitter.h"
#include "TransitionProbe.h"
#include "WindowsZoneMap.h"
#include "ZoneListWriter.h"

namespace {

int CurrentYear() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  return utc.tm_year + 1900;
}

std::string TzdataVersion() {
  const char* dir = std::getenv("TZDIR");
  std::ifstream in(std::string(dir && *dir ? dir : "/usr/share/zoneinfo") + "/tzdata.zi");
  std::string line;
  std::getline(in, line);
  const std::string prefix = "# version ";
  return line.rfind(prefix, 0) == 0 ? line.substr(prefix.size()) : "unknown";
}

tzgen::ZoneRecord MakeZone(const std::string& id, const std::string& iana, int year) {
  if (!tzgen::TransitionProbe::Known(iana)) {
    tzgen::WindowsZoneRules rules;
    rules.bias = -tzgen::WindowsZoneMap::RawOffset(iana) / 60;
    rules.mismatch = "not in tzdata";
    return {id, iana, rules};
  }
  const tzgen::TransitionProbe probe(iana);
  return {id, iana, tzgen::RuleFitter(probe, year, year + 1).Fit()};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::cerr << "usage: tzgen <output file> [year]\n";
    return 2;
  }
  const int year = argc == 3 ? std::atoi(argv[2]) : CurrentYear();
  if (year < 1970 || year > 9998) {
    std::cerr << "tzgen: the year must lie between 1970 and 9998\n";
    return 2;
  }
  try {
    const tzgen::WindowsZoneMap map;
    std::vector<tzgen::ZoneRecord> zones;
    for (const auto& [id, iana] : map.representatives()) zones.push_back(MakeZone(id, iana, year));
    // West to east, as Windows lists them; equal offsets by id.
    std::stable_sort(zones.begin(), zones.end(),
                     [](const auto& a, const auto& b) { return a.rules.bias > b.rules.bias; });
    for (const auto& zone : zones) {
      if (!zone.rules.mismatch.empty()) {
        std::cerr << "tzgen: " << zone.id << " (" << zone.iana << "): " << zone.rules.mismatch
                  << "\n";
      }
    }
    std::ofstream out(argv[1], std::ios::binary);
    const std::string sources = std::string("ICU ") + U_ICU_VERSION +
                                " (Windows zone mapping) and tzdata " + TzdataVersion();
    tzgen::ZoneListWriter(sources, year, year + 1).Write(out, zones, map.aliases());
    if (!out) throw std::runtime_error(std::string("cannot write ") + argv[1]);
  } catch (const std::exception& error) {
    std::cerr << "tzgen: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
