// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "map/CMapTileSourceDlg.h"

using zv::TileSourceSetting;

namespace {

QLineEdit* Field(CMapTileSourceDlg& dialog, int index) {
  return dialog.findChildren<QLineEdit*>().value(index);
}

QPushButton* ButtonNamed(CMapTileSourceDlg& dialog, const QString& text) {
  for (QPushButton* button : dialog.findChildren<QPushButton*>())
    if (button->text() == text) return button;
  return nullptr;
}

TEST(MapTileSourceDlgTest, AnUnusableUrlIsRefusedAndDefaultsBringOpenStreetMapBack) {
  TileSourceSetting setting = TileSourceSetting::Defaults();
  setting.urlTemplate = "https://tiles.example.com/{z}/{x}/{y}.png";
  setting.attribution = "© Example";
  setting.mbtilesFile = "/maps/seoul.mbtiles";
  CMapTileSourceDlg dialog(setting, nullptr);
  ASSERT_EQ(dialog.findChildren<QLineEdit*>().size(), 3);
  EXPECT_EQ(Field(dialog, 0)->text(), setting.urlTemplate);

  // A template without {y}: a message, and the dialog stays open.
  Field(dialog, 0)->setText("https://tiles.example.com/{z}/{x}.png");
  QString shown;
  QTimer::singleShot(0, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = box->text();
      box->accept();
    }
  });
  dialog.open();
  ButtonNamed(dialog, "확인")->click();
  EXPECT_TRUE(shown.contains("{z}, {x}, {y}")) << shown.toStdString();
  EXPECT_TRUE(dialog.isVisible());

  ButtonNamed(dialog, "기본값")->click();
  Field(dialog, 2)->setText(" 1234 ");
  ButtonNamed(dialog, "확인")->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const TileSourceSetting edited = dialog.Setting();
  EXPECT_EQ(edited.urlTemplate, TileSourceSetting::Defaults().urlTemplate);
  EXPECT_EQ(edited.attribution, TileSourceSetting::Defaults().attribution);
  EXPECT_EQ(edited.subdomains, "1234");
  EXPECT_EQ(edited.mbtilesFile, "/maps/seoul.mbtiles");  // not the dialog's to change
}

}  // namespace
