#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace zv {

enum class RegistryRoot { CurrentUser, LocalMachine };

// A small key-value store in the manner of a registry: keys are paths
// ("Software/GNU/ffdshow", '\' is read as '/'), compared without regard to
// letter case, holding named 32-bit numbers. Each root is one text file:
//
//   [Software/GNU/ffdshow]
//   "h264"=dword:00000001
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
  const std::string& FileOf(RegistryRoot root) const;

 private:
  struct Key {
    std::string path;                         // as first written
    std::map<std::string, uint32_t> dwords;   // value name -> number
  };
  using Keys = std::map<std::string, Key>;   // folded path -> key

  Keys Load(RegistryRoot root) const;
  bool Save(RegistryRoot root, const Keys& keys) const;

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

 private:
  RegistryKey(RegistryStore& store, RegistryRoot root, std::string path)
      : store_(&store), root_(root), path_(std::move(path)) {}
  RegistryStore* store_;
  RegistryRoot root_;
  std::string path_;
};

}  // namespace zv
