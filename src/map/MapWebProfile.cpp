// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MapWebProfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QWebEngineProfile>
#include <cstdio>

#include "BuildConfig.h"
#include "map/MapFolders.h"
#include "map/MapRequestInterceptor.h"
#include "map/MapSchemeHandler.h"
#include "platform/RegistryStore.h"

namespace {
MapWebProfile* g_profile = nullptr;
// The name of the profile's storage folders.
constexpr const char* kStorageName = "map";
}  // namespace

MapWebProfile& MapWebProfile::Instance() {
  if (!g_profile) g_profile = new MapWebProfile(QCoreApplication::instance());
  return *g_profile;
}

MapWebProfile::MapWebProfile(QObject* parent) : QObject(parent) {
  profile_ = new QWebEngineProfile(QString::fromLatin1(kStorageName), this);
  profile_->setPersistentStoragePath(zv::MapDataFolder() + QStringLiteral("/webengine"));
  profile_->setCachePath(zv::MapCacheFolder());
  profile_->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
  profile_->setHttpCacheMaximumSize(static_cast<int>(kHttpCacheBytes));
  profile_->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
  profile_->setHttpUserAgent(UserAgent());
  interceptor_ = new MapRequestInterceptor(Referer(), this);
  profile_->setUrlRequestInterceptor(interceptor_);
  schemeHandler_ = new MapSchemeHandler(tiles_, this);
  profile_->installUrlSchemeHandler(MapSchemeHandler::kScheme, schemeHandler_);
  ReloadTileSources();
}

MapWebProfile::~MapWebProfile() {
  if (g_profile == this) g_profile = nullptr;
}

void MapWebProfile::SetPageFolder(const QString& folder) { schemeHandler_->SetPageFolder(folder); }

void MapWebProfile::ReloadTileSources() {
  const auto setting = zv::TileSourceSetting::Load(zv::RegistryStore::System());
  tiles_.Load(setting.WithEnvironmentOverride(), zv::MapDataFolder());
  for (const QString& problem : tiles_.Problems())
    std::fprintf(stderr, "offline map file skipped: %s\n", qPrintable(problem));
}

QString MapWebProfile::UserAgent() {
  return QStringLiteral("ZorvaneViewer/%1 (VARNI Viewer; dashcam recording viewer)").arg(ZV_VERSION);
}

// An origin, as the web engine sends a page's address to another site, and
// plain http, so that it stays valid for http tile servers too: the engine
// refuses a request whose Referer its referrer policy would not send.
QByteArray MapWebProfile::Referer() { return "http://zorvane-viewer.invalid/"; }
