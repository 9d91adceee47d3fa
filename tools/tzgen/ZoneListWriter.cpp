#include "ZoneListWriter.h"

#include <cstdio>
#include <cstdlib>

namespace tzgen {
namespace {

std::string RuleText(const WindowsRule& rule) {
  char text[64];
  std::snprintf(text, sizeof text, "%d,%d,%d,%d,%d,%d", rule.month, rule.weekday, rule.week,
                rule.hour, rule.minute, rule.second);
  return text;
}

}  // namespace

ZoneListWriter::ZoneListWriter(std::string sources, int firstYear, int lastYear)
    : sources_(std::move(sources)), firstYear_(firstYear), lastYear_(lastYear) {}

std::string ZoneListWriter::DisplayName(const ZoneRecord& zone) {
  const int offset = -(zone.rules.bias + zone.rules.standardBias);
  char text[32];
  std::snprintf(text, sizeof text, "(UTC%c%02d:%02d) ", offset < 0 ? '-' : '+',
                std::abs(offset) / 60, std::abs(offset) % 60);
  return text + zone.id;
}

std::string ZoneListWriter::DaylightName(const std::string& id) {
  static const std::string kStandard = "Standard Time";
  const auto at = id.rfind(kStandard);
  if (at == std::string::npos) return id;
  return id.substr(0, at) + "Daylight Time" + id.substr(at + kStandard.size());
}

void ZoneListWriter::WriteHeader(std::ostream& out, const std::vector<ZoneRecord>& zones) const {
  out << "# The Windows zone list, written by tools/tzgen from " << sources_
      << ".\n"
         "# Do not edit: run tzgen again when tzdata changes.\n"
         "#\n"
         "# Lines, fields separated by '|':\n"
         "#   years|<first>|<last>\n"
         "#     the years whose offset changes the rules were checked against\n"
         "#   zone|<id>|<index>|<iana>|<bias>|<standard bias>|<daylight bias>|<standard rule>|\n"
         "#       <daylight rule>|<display>|<standard name>|<daylight name>|<mismatch>\n"
         "#     one Windows zone: biases in minutes (UTC = local time + bias + standard or\n"
         "#     daylight bias); a rule is month,weekday,week,hour,minute,second with month 0\n"
         "#     for none, weekday 0 for Sunday, week 1-5 (5 = last), the time being the\n"
         "#     wall-clock time just before the change; mismatch is empty when the rules give\n"
         "#     the IANA zone's offset changes of the checked years exactly, else the reason\n"
         "#   alias|<iana>|<id>\n"
         "#     another IANA zone that maps to the Windows zone\n"
         "#\n";
  bool any = false;
  for (const auto& zone : zones) {
    if (zone.rules.mismatch.empty()) continue;
    if (!any) out << "# Zones whose offset changes the rule form cannot give:\n";
    any = true;
    out << "#   " << zone.id << " (" << zone.iana << "): " << zone.rules.mismatch << "\n";
  }
  if (any) out << "#\n";
}

void ZoneListWriter::Write(std::ostream& out, const std::vector<ZoneRecord>& zones,
                           const std::map<std::string, std::string>& aliases) const {
  WriteHeader(out, zones);
  out << "years|" << firstYear_ << "|" << lastYear_ << "\n";
  int index = 0;
  for (const auto& zone : zones) {
    const auto& rules = zone.rules;
    out << "zone|" << zone.id << "|" << index++ << "|" << zone.iana << "|" << rules.bias << "|"
        << rules.standardBias << "|" << rules.daylightBias << "|" << RuleText(rules.standard) << "|"
        << RuleText(rules.daylight) << "|" << DisplayName(zone) << "|" << zone.id << "|"
        << DaylightName(zone.id) << "|" << rules.mismatch << "\n";
  }
  for (const auto& [iana, id] : aliases) out << "alias|" << iana << "|" << id << "\n";
}

}  // namespace tzgen
