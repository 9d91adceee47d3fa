#include "time/ZoneListData.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "base/AsciiCase.h"
#include "module/Binaries.h"

namespace kelvra::platform {
namespace {

constexpr const char* kFileName = "timezones.txt";
constexpr std::size_t kZoneFields = 13;

std::vector<std::string> Split(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::string::size_type start = 0;
  for (;;) {
    const auto end = line.find(separator, start);
    fields.push_back(line.substr(start, end - start));
    if (end == std::string::npos) return fields;
    start = end + 1;
  }
}

std::optional<long> ToNumber(const std::string& text, long low, long high) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || value < low || value > high) return std::nullopt;
  return value;
}

// "month,weekday,week,hour,minute,second"; month 0 is no transition and then
// everything else is 0 too.
std::optional<SYSTEMTIME> ParseRule(const std::string& text) {
  const auto parts = Split(text, ',');
  if (parts.size() != 6) return std::nullopt;
  static constexpr long kHigh[6] = {12, 6, 5, 23, 59, 59};
  WORD words[6] = {};
  for (std::size_t i = 0; i < 6; ++i) {
    const auto value = ToNumber(parts[i], 0, kHigh[i]);
    if (!value) return std::nullopt;
    words[i] = static_cast<WORD>(*value);
  }
  const bool none = words[0] == 0;
  const bool clear =
      words[1] == 0 && words[2] == 0 && words[3] == 0 && words[4] == 0 && words[5] == 0;
  if (none ? !clear : words[2] == 0) return std::nullopt;
  SYSTEMTIME rule{};
  rule.wMonth = words[0];
  rule.wDayOfWeek = words[1];
  rule.wDay = words[2];
  rule.wHour = words[3];
  rule.wMinute = words[4];
  rule.wSecond = words[5];
  return rule;
}

void AppendLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void AppendRule(std::string& out, const SYSTEMTIME& rule) {
  for (WORD word : {rule.wYear, rule.wMonth, rule.wDayOfWeek, rule.wDay, rule.wHour, rule.wMinute,
                    rule.wSecond, rule.wMilliseconds}) {
    AppendLittleEndian(out, word, 2);
  }
}

std::string Folded(const std::string& text) {
  std::string folded = text;
  for (char& c : folded) c = static_cast<char>(AsciiLower(static_cast<unsigned char>(c)));
  return folded;
}

std::optional<ZoneListData> LoadFirstFound() {
  // Beside the platform library first, so that an installed copy wins over the build.
  std::vector<std::string> candidates;
  const std::string library = LocateBinary(reinterpret_cast<const void*>(&LoadFirstFound)).path;
  if (const auto slash = library.rfind('/'); slash != std::string::npos) {
    candidates.push_back(library.substr(0, slash + 1) + kFileName);
  }
#ifdef KELVRA_ZONE_LIST_FILE
  candidates.push_back(KELVRA_ZONE_LIST_FILE);
#endif
  for (const auto& path : candidates) {
    if (auto data = ZoneListData::Load(path)) return data;
  }
  return std::nullopt;
}

}  // namespace

std::string ZoneListEntry::Tzi() const {
  std::string tzi;
  AppendLittleEndian(tzi, static_cast<std::uint32_t>(bias), 4);
  AppendLittleEndian(tzi, static_cast<std::uint32_t>(standardBias), 4);
  AppendLittleEndian(tzi, static_cast<std::uint32_t>(daylightBias), 4);
  AppendRule(tzi, standardDate);
  AppendRule(tzi, daylightDate);
  return tzi;
}

const ZoneListData& ZoneListData::Instance() {
  static const ZoneListData instance = LoadFirstFound().value_or(ZoneListData{});
  return instance;
}

std::optional<ZoneListData> ZoneListData::Load(const std::string& linuxPath) {
  std::ifstream in(linuxPath, std::ios::binary);
  if (!in) return std::nullopt;
  return Parse(in);
}

std::optional<ZoneListData> ZoneListData::Parse(std::istream& in) {
  ZoneListData data;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (!data.ParseLine(line)) return std::nullopt;
  }
  // An alias must name a listed zone.
  for (const auto& [iana, id] : data.ianaToWindows_) {
    if (!data.FindZone(id)) return std::nullopt;
  }
  return data;
}

bool ZoneListData::ParseLine(const std::string& line) {
  const auto fields = Split(line, '|');
  if (fields[0] == "zone") return ParseZone(fields);
  if (fields[0] == "alias" && fields.size() == 3 && !fields[1].empty()) {
    return ianaToWindows_.emplace(fields[1], fields[2]).second;
  }
  if (fields[0] == "years" && fields.size() == 3) {
    const auto first = ToNumber(fields[1], 1601, 30827);
    const auto last = ToNumber(fields[2], 1601, 30827);
    if (!first || !last || *last < *first) return false;
    firstYear_ = static_cast<int>(*first);
    lastYear_ = static_cast<int>(*last);
    return true;
  }
  return false;
}

bool ZoneListData::ParseZone(const std::vector<std::string>& fields) {
  if (fields.size() != kZoneFields || fields[1].empty() || FindZone(fields[1])) return false;
  constexpr long kDay = 24 * 60;
  const auto index = ToNumber(fields[2], 0, 0x7FFFFFFF);
  const auto bias = ToNumber(fields[4], -kDay, kDay);
  const auto standardBias = ToNumber(fields[5], -kDay, kDay);
  const auto daylightBias = ToNumber(fields[6], -kDay, kDay);
  const auto standardDate = ParseRule(fields[7]);
  const auto daylightDate = ParseRule(fields[8]);
  if (!index || !bias || !standardBias || !daylightBias || !standardDate || !daylightDate) {
    return false;
  }
  ZoneListEntry zone;
  zone.id = fields[1];
  zone.index = static_cast<DWORD>(*index);
  zone.iana = fields[3];
  zone.bias = static_cast<LONG>(*bias);
  zone.standardBias = static_cast<LONG>(*standardBias);
  zone.daylightBias = static_cast<LONG>(*daylightBias);
  zone.standardDate = *standardDate;
  zone.daylightDate = *daylightDate;
  zone.display = fields[9];
  zone.standardName = fields[10];
  zone.daylightName = fields[11];
  zone.mismatch = fields[12];
  zones_.push_back(std::move(zone));
  ianaToWindows_.emplace(zones_.back().iana, zones_.back().id);
  return true;
}

const ZoneListEntry* ZoneListData::FindZone(const std::string& windowsId) const {
  const std::string wanted = Folded(windowsId);
  for (const auto& zone : zones_) {
    if (Folded(zone.id) == wanted) return &zone;
  }
  return nullptr;
}

std::string ZoneListData::WindowsZoneForIana(const std::string& iana) const {
  const auto found = ianaToWindows_.find(iana);
  return found == ianaToWindows_.end() ? std::string() : found->second;
}

}  // namespace kelvra::platform
