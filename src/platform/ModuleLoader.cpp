// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ModuleLoader.h"

#include <dlfcn.h>

#include <cstdint>

namespace zv {

bool LoadModuleAndCall(const std::string& path, const char* entryPoint) {
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!module) return false;
  using EntryPoint = int32_t (*)();
  auto entry = reinterpret_cast<EntryPoint>(dlsym(module, entryPoint));
  if (!entry) return false;  // the module stays loaded, as on success
  entry();
  return true;
}

}  // namespace zv
