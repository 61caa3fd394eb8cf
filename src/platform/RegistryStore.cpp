// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RegistryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "platform/ProgramLayout.h"

namespace zv {
namespace {

std::string NormalisedPath(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  std::string out;
  for (char c : path) {
    if (c == '/' && (out.empty() || out.back() == '/')) continue;  // no empty segments
    out += c;
  }
  while (!out.empty() && out.back() == '/') out.pop_back();
  return out;
}

std::string Folded(const std::string& path) {
  std::string out = NormalisedPath(path);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

// Reads a quoted text that starts at `at` (just after its opening quote),
// undoing the escapes of QuotedText. `at` ends after the closing quote.
std::optional<std::string> ReadQuoted(const std::string& line, size_t& at) {
  std::string text;
  while (at < line.size()) {
    const char c = line[at++];
    if (c == '"') return text;
    if (c != '\\') {
      text += c;
      continue;
    }
    if (at == line.size()) return std::nullopt;
    const char escaped = line[at++];
    if (escaped == 'n') text += '\n';
    else if (escaped == 'r') text += '\r';
    else text += escaped;
  }
  return std::nullopt;  // no closing quote
}

std::string QuotedText(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else out += c;
  }
  return out + "\"";
}

std::optional<uint32_t> ParseDword(const std::string& hex) {
  if (hex.empty() || hex.size() > 8) return std::nullopt;
  char* end = nullptr;
  const unsigned long v = std::strtoul(hex.c_str(), &end, 16);
  if (*end != '\0') return std::nullopt;
  return static_cast<uint32_t>(v);
}

// Parses one `"name"=dword:XXXXXXXX` or `"name"="text"` line.
template <typename Value>
bool ParseValueLine(const std::string& line, std::string& name, Value& value) {
  if (line.size() < 2 || line[0] != '"') return false;
  size_t at = 1;
  const auto quotedName = ReadQuoted(line, at);
  if (!quotedName || line.compare(at, 1, "=") != 0) return false;
  name = *quotedName;
  ++at;
  if (line.compare(at, 6, "dword:") == 0) {
    const auto number = ParseDword(line.substr(at + 6));
    if (number) value = *number;
    return number.has_value();
  }
  if (line.compare(at, 1, "\"") != 0) return false;
  ++at;
  const auto text = ReadQuoted(line, at);
  if (!text || at != line.size()) return false;
  value = *text;
  return true;
}

}  // namespace

RegistryStore::RegistryStore(std::string currentUserFile, std::string localMachineFile)
    : currentUserFile_(std::move(currentUserFile)), localMachineFile_(std::move(localMachineFile)) {}

std::string RegistryStore::DefaultCurrentUserFile() {
  return UserConfigFolder() + "/registry/current-user.reg";
}

std::string RegistryStore::DefaultLocalMachineFile() {
  return "/var/lib/zorvane-viewer/registry/local-machine.reg";
}

RegistryStore& RegistryStore::System() {
  static RegistryStore store(DefaultCurrentUserFile(), DefaultLocalMachineFile());
  return store;
}

const std::string& RegistryStore::FileOf(RegistryRoot root) const {
  return root == RegistryRoot::CurrentUser ? currentUserFile_ : localMachineFile_;
}

RegistryStore::Keys RegistryStore::Load(RegistryRoot root) const {
  Keys keys;
  QFile file(QString::fromStdString(FileOf(root)));
  if (!file.open(QIODevice::ReadOnly)) return keys;
  Key* current = nullptr;
  while (!file.atEnd()) {
    std::string line = file.readLine().toStdString();
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      const std::string path = NormalisedPath(line.substr(1, line.size() - 2));
      Key& key = keys[Folded(path)];
      if (key.path.empty()) key.path = path;
      current = &key;
      continue;
    }
    std::string name;
    Value value;
    if (current && ParseValueLine(line, name, value)) current->values[name] = std::move(value);
  }
  return keys;
}

bool RegistryStore::Save(RegistryRoot root, const Keys& keys) const {
  const QString path = QString::fromStdString(FileOf(root));
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  std::string text;
  for (const auto& [folded, key] : keys) {
    text += "[" + key.path + "]\n";
    for (const auto& [name, value] : key.values) {
      text += QuotedText(name) + "=";
      if (const auto* number = std::get_if<uint32_t>(&value)) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "%08x", *number);
        text += std::string("dword:") + hex + "\n";
      } else {
        text += QuotedText(std::get<std::string>(value)) + "\n";
      }
    }
    text += "\n";
  }
  file.write(text.data(), static_cast<qint64>(text.size()));
  return file.commit();
}

bool RegistryStore::KeyExists(RegistryRoot root, const std::string& keyPath) const {
  const Keys keys = Load(root);
  return keys.count(Folded(keyPath)) > 0;
}

bool RegistryStore::CreateKey(RegistryRoot root, const std::string& keyPath) {
  const std::string path = NormalisedPath(keyPath);
  if (path.empty()) return false;
  Keys keys = Load(root);
  bool added = false;
  for (size_t end = path.find('/'); ; end = path.find('/', end + 1)) {
    const std::string prefix = path.substr(0, end);
    Key& key = keys[Folded(prefix)];
    if (key.path.empty()) {
      key.path = prefix;
      added = true;
    }
    if (end == std::string::npos) break;
  }
  return !added || Save(root, keys);
}

bool RegistryStore::SetValue(RegistryRoot root, const std::string& keyPath,
                             const std::string& name, Value value) {
  Keys keys = Load(root);
  const auto it = keys.find(Folded(keyPath));
  if (it == keys.end()) return false;
  it->second.values[name] = std::move(value);
  return Save(root, keys);
}

std::optional<RegistryStore::Value> RegistryStore::ReadValue(RegistryRoot root,
                                                             const std::string& keyPath,
                                                             const std::string& name) const {
  const Keys keys = Load(root);
  const auto it = keys.find(Folded(keyPath));
  if (it == keys.end()) return std::nullopt;
  const auto value = it->second.values.find(name);
  if (value == it->second.values.end()) return std::nullopt;
  return value->second;
}

bool RegistryStore::SetDword(RegistryRoot root, const std::string& keyPath,
                             const std::string& name, uint32_t value) {
  return SetValue(root, keyPath, name, value);
}

std::optional<uint32_t> RegistryStore::ReadDword(RegistryRoot root, const std::string& keyPath,
                                                 const std::string& name) const {
  const auto value = ReadValue(root, keyPath, name);
  if (!value || !std::holds_alternative<uint32_t>(*value)) return std::nullopt;
  return std::get<uint32_t>(*value);
}

bool RegistryStore::SetString(RegistryRoot root, const std::string& keyPath,
                              const std::string& name, const std::string& value) {
  return SetValue(root, keyPath, name, value);
}

std::optional<std::string> RegistryStore::ReadString(RegistryRoot root, const std::string& keyPath,
                                                     const std::string& name) const {
  const auto value = ReadValue(root, keyPath, name);
  if (!value || !std::holds_alternative<std::string>(*value)) return std::nullopt;
  return std::get<std::string>(*value);
}

std::optional<RegistryKey> RegistryKey::Open(RegistryStore& store, RegistryRoot root,
                                             const std::string& keyPath) {
  if (!store.KeyExists(root, keyPath)) return std::nullopt;
  return RegistryKey(store, root, keyPath);
}

std::optional<RegistryKey> RegistryKey::Create(RegistryStore& store, RegistryRoot root,
                                               const std::string& keyPath) {
  if (!store.CreateKey(root, keyPath)) return std::nullopt;
  return RegistryKey(store, root, keyPath);
}

bool RegistryKey::SetDword(const std::string& name, uint32_t value) {
  return store_->SetDword(root_, path_, name, value);
}

bool RegistryKey::SetString(const std::string& name, const std::string& value) {
  return store_->SetString(root_, path_, name, value);
}

}  // namespace zv
