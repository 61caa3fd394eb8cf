// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include "map/CMapDlg.h"
#include "map/CZvMapPanelCtrl.h"
#include "map/IMapHostWindow.h"
#include "map/MapMode.h"
#include "sensors/CZvTextCtrl.h"
#include "skin/CZvButtonCtrl.h"

namespace {

// The main window's side of the map switches, recorded.
class HostWindowStandIn : public IMapHostWindow {
 public:
  CZvMapPanelCtrl* MapPanel() override { return &panel; }
  void SetMapButtonVisible(bool visible) override { mapButtonVisible = visible; }
  bool PositionTextShown() const override { return positionTextShown; }
  void SetPositionTextShown(bool shown) override {
    positionTextShown = shown;
    ++positionTextChanges;
  }
  CZvMapPanelCtrl panel{1006, nullptr};
  bool mapButtonVisible = true;
  bool positionTextShown = true;
  int positionTextChanges = 0;
};

void SendMouse(QWidget& target, QEvent::Type type, QPoint local) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, QPointF(local), QPointF(target.mapToGlobal(local)), Qt::LeftButton,
                    held, Qt::NoModifier);
  QApplication::sendEvent(&target, &event);
}

void Drag(QWidget& window, QPoint from, QPoint to) {
  SendMouse(window, QEvent::MouseButtonPress, from);
  SendMouse(window, QEvent::MouseMove, to);
  SendMouse(window, QEvent::MouseButtonRelease, to);
}

TEST(MapDlgTest, BuiltFramelessAtMinimumSizeWithItsControls) {
  CMapDlg dialog;
  EXPECT_EQ(CMapDlg::Instance(), &dialog);
  EXPECT_TRUE(dialog.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(dialog.windowTitle().isEmpty());
  EXPECT_EQ(dialog.size(), QSize(300, 300));
  EXPECT_EQ(dialog.closeButton->commandId, 1031);
  EXPECT_EQ(dialog.closeButton->normalImage, 18121u);
  EXPECT_EQ(dialog.closeButton->hoverImage, 18122u);
  EXPECT_EQ(dialog.closeButton->disabledImage, 18123u);
  EXPECT_EQ(dialog.closeButton->selectedImage, 0u);
  EXPECT_EQ(dialog.mapPanel->controlId, 1201);
  EXPECT_EQ(dialog.titleText->mode, 5);
  EXPECT_EQ(dialog.positionText->mode, 6);
  EXPECT_EQ(dialog.positionText->background, QColor(30, 30, 30));
  EXPECT_EQ(dialog.closeButton->geometry(), QRect(260, 5, 30, 24));
  EXPECT_EQ(dialog.mapPanel->geometry(), QRect(5, 35, 290, 235));
  EXPECT_EQ(dialog.titleText->geometry(), QRect(5, 10, 50, 20));
  EXPECT_EQ(dialog.positionText->geometry(), QRect(5, 274, 300, 20));
  dialog.show();
  dialog.resize(500, 400);
  EXPECT_EQ(dialog.closeButton->geometry(), QRect(460, 5, 30, 24));
  EXPECT_EQ(dialog.mapPanel->geometry(), QRect(5, 35, 490, 335));
  EXPECT_EQ(dialog.positionText->geometry(), QRect(5, 374, 300, 20));
}

TEST(MapDlgTest, MovesByItsBodyAndResizesByItsBordersDownToTheMinimum) {
  CMapDlg dialog;
  dialog.setGeometry(100, 100, 400, 300);
  dialog.show();
  Drag(dialog, QPoint(150, 20), QPoint(170, 50));
  EXPECT_EQ(dialog.geometry(), QRect(120, 130, 400, 300));

  // The left border dragged far right stops at 300 wide; the right edge stays.
  Drag(dialog, QPoint(2, 150), QPoint(350, 150));
  EXPECT_EQ(dialog.geometry(), QRect(220, 130, 300, 300));
  // The bottom-right corner goes where the pointer is.
  Drag(dialog, QPoint(297, 297), QPoint(397, 347));
  EXPECT_EQ(dialog.geometry(), QRect(220, 130, 397, 347));
  // The right border dragged far left stops at 300 wide.
  Drag(dialog, QPoint(394, 100), QPoint(20, 100));
  EXPECT_EQ(dialog.geometry(), QRect(220, 130, 300, 347));
}

TEST(MapDlgTest, UndockAndDockThroughTheMapModeAndTheCloseButton) {
  HostWindowStandIn host;
  CMapDlg dialog;
  SetMapHostWindow(&host);
  EXPECT_EQ(MapMode(), kMapDocked);

  SetMapMode(kMapUndocked);
  EXPECT_EQ(MapMode(), kMapUndocked);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(host.mapButtonVisible);
  EXPECT_FALSE(host.positionTextShown);

  dialog.closeButton->click();
  EXPECT_EQ(MapMode(), kMapDocked);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(host.mapButtonVisible);
  EXPECT_TRUE(host.positionTextShown);
  EXPECT_EQ(host.positionTextChanges, 2);

  // Docking again leaves a shown text alone; another mode is only stored.
  SetMapMode(kMapDocked);
  EXPECT_EQ(host.positionTextChanges, 2);
  SetMapMode(7);
  EXPECT_EQ(MapMode(), 7);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(host.mapButtonVisible);
  SetMapMode(kMapDocked);
  SetMapHostWindow(nullptr);
}

}  // namespace
