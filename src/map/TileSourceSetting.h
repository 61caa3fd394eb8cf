// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zv {

class RegistryStore;

// Where the map's tiles come from, kept per user in the registry store under
// kTileSourceKey (current-user root):
//   "TileUrl"          URL template, http(s) with {z}, {x}, {y}, optional {s}
//   "TileAttribution"  the attribution the map shows for it (text and links)
//   "TileSubdomains"   the letters that {s} takes, in turn
//   "TileMaxZoom"      the deepest zoom the server has (number)
//   "MBTilesFile"      an offline map file the user chose; empty for none
// A missing or unusable value falls back to its default: OpenStreetMap's
// standard tiles with their attribution.
struct TileSourceSetting {
  static constexpr const char* kTileSourceKey = "Software/Ulvatrix/VARNI Viewer/Map";
  // Names a URL template that replaces the stored one for one run.
  static constexpr const char* kUrlOverrideVariable = "ZV_MAP_TILE_URL";

  QString urlTemplate;
  QString attribution;
  QString subdomains;
  int maxZoom = 19;
  QString mbtilesFile;

  static TileSourceSetting Defaults();
  static TileSourceSetting Load(const RegistryStore& store);
  // Writes every value; false when the store cannot be written.
  bool Save(RegistryStore& store) const;

  // This setting with the URL template of ZV_MAP_TILE_URL when that is set
  // and usable.
  TileSourceSetting WithEnvironmentOverride() const;

  // An http or https URL with {z}, {x} and {y}.
  static bool IsUsableUrlTemplate(const QString& urlTemplate);
  // The server's host name as people read it ("tile.openstreetmap.org").
  QString HostName() const;
};

}  // namespace zv
