// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartupEnvironment.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

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

int InstallQtTranslations(QCoreApplication& application) {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  int installed = 0;
  for (const char* catalogue : {"qtbase", "qtwebengine"}) {
    auto* translator = new QTranslator(&application);
    if (translator->load(QLocale(QLocale::Korean, QLocale::SouthKorea), QString::fromLatin1(catalogue),
                         QStringLiteral("_"), folder) &&
        QCoreApplication::installTranslator(translator)) {
      ++installed;
    } else {
      delete translator;
    }
  }
  return installed;
}

}  // namespace zv
