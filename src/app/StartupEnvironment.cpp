#include "app/StartupEnvironment.h"

#include "platform/ModuleLoader.h"
#include "platform/RegistryStore.h"
#include "player/SensorStreamSource.h"

namespace zv {

bool RegisterParseFilter(const std::string& programFolder) {
  const std::string path = programFolder + "/" + kParseFilterModuleName;
  return LoadModuleAndCall(path, kParseFilterEntryPoint);
}

void WriteDecoderSettings(RegistryStore& store) {
  constexpr auto root = RegistryRoot::CurrentUser;
  auto key = RegistryKey::Open(store, root, "Software/GNU/ffdshow");
  if (!key) {
    if (!RegistryKey::Open(store, root, "Software/GNU")) RegistryKey::Create(store, root, "Software/GNU");
    key = RegistryKey::Create(store, root, "Software/GNU/ffdshow");
  }
  if (!key) return;
  key->SetDword("multipleInstances", 0);
  key->SetDword("isWhitelist", 0);
  key->SetDword("h264", 1);
}

}  // namespace zv
