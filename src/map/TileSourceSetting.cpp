// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/TileSourceSetting.h"

#include <QUrl>
#include <cstdio>

#include "platform/RegistryStore.h"

namespace zv {

namespace {

constexpr auto kRoot = RegistryRoot::CurrentUser;
constexpr int kDeepestZoom = 22;

QString ReadText(const RegistryStore& store, const char* name) {
  const auto value = store.ReadString(kRoot, TileSourceSetting::kTileSourceKey, name);
  return value ? QString::fromStdString(*value) : QString();
}

}  // namespace

TileSourceSetting TileSourceSetting::Defaults() {
  TileSourceSetting setting;
  setting.urlTemplate = QStringLiteral("https://tile.openstreetmap.org/{z}/{x}/{y}.png");
  setting.attribution = QStringLiteral(
      "&copy; <a href=\"https://www.openstreetmap.org/copyright\">OpenStreetMap</a> contributors");
  setting.subdomains = QStringLiteral("abc");
  setting.maxZoom = 19;
  return setting;
}

TileSourceSetting TileSourceSetting::Load(const RegistryStore& store) {
  TileSourceSetting setting = Defaults();
  const QString url = ReadText(store, "TileUrl").trimmed();
  if (IsUsableUrlTemplate(url)) {
    setting.urlTemplate = url;
    // Another server's tiles carry that server's attribution, even none.
    setting.attribution = ReadText(store, "TileAttribution");
  }
  const QString subdomains = ReadText(store, "TileSubdomains").trimmed();
  if (!subdomains.isEmpty()) setting.subdomains = subdomains;
  const auto maxZoom = store.ReadDword(kRoot, kTileSourceKey, "TileMaxZoom");
  if (maxZoom && *maxZoom <= kDeepestZoom) setting.maxZoom = static_cast<int>(*maxZoom);
  setting.mbtilesFile = ReadText(store, "MBTilesFile");
  return setting;
}

bool TileSourceSetting::Save(RegistryStore& store) const {
  if (!store.CreateKey(kRoot, kTileSourceKey)) return false;
  bool ok = store.SetString(kRoot, kTileSourceKey, "TileUrl", urlTemplate.toStdString());
  ok = store.SetString(kRoot, kTileSourceKey, "TileAttribution", attribution.toStdString()) && ok;
  ok = store.SetString(kRoot, kTileSourceKey, "TileSubdomains", subdomains.toStdString()) && ok;
  ok = store.SetDword(kRoot, kTileSourceKey, "TileMaxZoom", static_cast<uint32_t>(maxZoom)) && ok;
  ok = store.SetString(kRoot, kTileSourceKey, "MBTilesFile", mbtilesFile.toStdString()) && ok;
  return ok;
}

TileSourceSetting TileSourceSetting::WithEnvironmentOverride() const {
  TileSourceSetting setting = *this;
  const QString url = qEnvironmentVariable(kUrlOverrideVariable).trimmed();
  if (url.isEmpty()) return setting;
  if (!IsUsableUrlTemplate(url)) {
    std::fprintf(stderr, "%s is not an http(s) URL with {z}, {x} and {y}; it is ignored\n",
                 kUrlOverrideVariable);
    return setting;
  }
  setting.urlTemplate = url;
  return setting;
}

bool TileSourceSetting::IsUsableUrlTemplate(const QString& urlTemplate) {
  for (const char* field : {"{z}", "{x}", "{y}"})
    if (!urlTemplate.contains(QLatin1String(field))) return false;
  // The fields the map fills in; any other brace makes the URL unusable.
  QString probe = urlTemplate;
  for (const char* field : {"{s}", "{z}", "{x}", "{y}", "{r}"})
    probe.replace(QLatin1String(field), QLatin1String("a"));
  const QUrl url(probe, QUrl::StrictMode);
  return url.isValid() && (url.scheme() == "http" || url.scheme() == "https") &&
         !url.host().isEmpty();
}

QString TileSourceSetting::HostName() const {
  QString host = QUrl(urlTemplate).host();
  if (host.isEmpty()) {  // "{s}.tile.example.org" is no host QUrl accepts
    const qsizetype start = urlTemplate.indexOf(QLatin1String("://"));
    host = urlTemplate.mid(start + 3).section(QLatin1Char('/'), 0, 0).section(QLatin1Char(':'), 0, 0);
  }
  if (host.startsWith(QLatin1String("{s}."))) host = host.mid(4);
  return host;
}

}  // namespace zv
