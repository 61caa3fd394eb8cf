// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>

namespace zv {

enum class RegistryRoot { CurrentUser, LocalMachine };

// A small key-value store in the manner of a registry: keys are paths
// ("Software/GNU/ffdshow", '\' is read as '/'), compared without regard to
// letter case, holding named 32-bit numbers and texts. A name holds one value
// of one kind; setting it again replaces the old value whatever its kind.
// Each root is one text file:
//
//   [Software/GNU/ffdshow]
//   "h264"=dword:00000001
//   "Path"="/home/a \"b\"\\c"      (texts escape \ " and line breaks)
//
// The current-user root lives in the user's configuration folder, the
// local-machine root in a system folder that only root can write; writes
// there fail (and report false) for ordinary users. Every change rewrites
// the root's file through a temporary file and a rename, so a crash never
// leaves it half written.
class RegistryStore {
 public:
  RegistryStore(std::string currentUserFile, std::string localMachineFile);

  // The store at the program's standard places.
  static RegistryStore& System();
  static std::string DefaultCurrentUserFile();
  static std::string DefaultLocalMachineFile();

  bool KeyExists(RegistryRoot root, const std::string& keyPath) const;
  // Creates the key and every missing parent key. True when it exists after.
  bool CreateKey(RegistryRoot root, const std::string& keyPath);
  // Sets a number value of an existing key. False when the key is missing or
  // the root cannot be written.
  bool SetDword(RegistryRoot root, const std::string& keyPath, const std::string& name,
                uint32_t value);
  std::optional<uint32_t> ReadDword(RegistryRoot root, const std::string& keyPath,
                                    const std::string& name) const;
  // Sets a text value of an existing key, as SetDword.
  bool SetString(RegistryRoot root, const std::string& keyPath, const std::string& name,
                 const std::string& value);
  // The text value; nothing when it is missing or holds a number.
  std::optional<std::string> ReadString(RegistryRoot root, const std::string& keyPath,
                                        const std::string& name) const;
  const std::string& FileOf(RegistryRoot root) const;

 private:
  using Value = std::variant<uint32_t, std::string>;
  struct Key {
    std::string path;                      // as first written
    std::map<std::string, Value> values;   // value name -> number or text
  };
  using Keys = std::map<std::string, Key>;   // folded path -> key

  Keys Load(RegistryRoot root) const;
  bool Save(RegistryRoot root, const Keys& keys) const;
  bool SetValue(RegistryRoot root, const std::string& keyPath, const std::string& name,
                Value value);
  std::optional<Value> ReadValue(RegistryRoot root, const std::string& keyPath,
                                 const std::string& name) const;

  std::string currentUserFile_;
  std::string localMachineFile_;
};

// An open key, as a handle with set-value access.
class RegistryKey {
 public:
  // The key when it exists; nothing otherwise.
  static std::optional<RegistryKey> Open(RegistryStore& store, RegistryRoot root,
                                         const std::string& keyPath);
  // Opens the key, creating it (and its parents) when missing.
  static std::optional<RegistryKey> Create(RegistryStore& store, RegistryRoot root,
                                           const std::string& keyPath);
  bool SetDword(const std::string& name, uint32_t value);
  bool SetString(const std::string& name, const std::string& value);

 private:
  RegistryKey(RegistryStore& store, RegistryRoot root, std::string path)
      : store_(&store), root_(root), path_(std::move(path)) {}
  RegistryStore* store_;
  RegistryRoot root_;
  std::string path_;
};

}  // namespace zv
