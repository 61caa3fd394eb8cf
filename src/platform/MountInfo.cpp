// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MountInfo.h"

#include <fstream>
#include <sstream>

namespace zv {

namespace {

// Undoes the octal escapes ("\040" for a blank) of a mountinfo field.
std::string Unescape(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (size_t i = 0; i < field.size(); ++i) {
    const bool octal = field[i] == '\\' && i + 3 < field.size() &&
                       field[i + 1] >= '0' && field[i + 1] <= '3' &&
                       field[i + 2] >= '0' && field[i + 2] <= '7' &&
                       field[i + 3] >= '0' && field[i + 3] <= '7';
    if (octal) {
      out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                               (field[i + 3] - '0'));
      i += 3;
    } else {
      out += field[i];
    }
  }
  return out;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && line[i] == ' ') ++i;
    const size_t start = i;
    while (i < line.size() && line[i] != ' ') ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
  return fields;
}

// Fields: id, parent, major:minor, root, mount point, options, optional
// fields..., "-", type, source, super options.
bool ParseLine(std::string_view line, MountRecord& record) {
  const std::vector<std::string_view> f = SplitFields(line);
  size_t dash = 6;
  while (dash < f.size() && f[dash] != "-") ++dash;
  if (f.size() < 6 || dash + 2 >= f.size()) return false;
  record.deviceNumber = std::string(f[2]);
  record.root = Unescape(f[3]);
  record.mountPoint = Unescape(f[4]);
  record.fileSystemType = std::string(f[dash + 1]);
  record.source = Unescape(f[dash + 2]);
  return true;
}

}  // namespace

std::vector<MountRecord> ParseMountInfo(std::string_view text) {
  std::vector<MountRecord> records;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    MountRecord record;
    if (ParseLine(line, record)) records.push_back(std::move(record));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return records;
}

std::vector<MountRecord> ReadMountTable() {
  std::ifstream file("/proc/self/mountinfo");
  if (!file) return {};
  std::ostringstream text;
  text << file.rdbuf();
  return ParseMountInfo(text.str());
}

}  // namespace zv
