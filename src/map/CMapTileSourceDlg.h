// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "map/TileSourceSetting.h"

class QLineEdit;

// Edits the online tile source: the URL template ({z}, {x}, {y}, optional
// {s}), its attribution and the letters {s} takes. "기본값" puts
// OpenStreetMap back. An unusable URL is refused with a message.
class CMapTileSourceDlg : public QDialog {
  Q_OBJECT

 public:
  CMapTileSourceDlg(const zv::TileSourceSetting& setting, QWidget* parent);

  // The setting as edited; the offline map file is kept as it was.
  zv::TileSourceSetting Setting() const;

  void accept() override;

 private:
  void Show(const zv::TileSourceSetting& setting);

  zv::TileSourceSetting setting_;
  QLineEdit* url_ = nullptr;
  QLineEdit* attribution_ = nullptr;
  QLineEdit* subdomains_ = nullptr;
};
