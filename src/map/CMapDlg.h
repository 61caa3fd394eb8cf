// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "skin/FramelessWindowMover.h"

class CZvButtonCtrl;
class CZvMapPanelCtrl;
class CZvTextCtrl;

// The separate, frameless map window that holds the map while it is
// undocked. It moves by its body and resizes by 10-pixel bands along its
// edges, never below 300 x 300, through the window system where it can. Its close button docks the map again. One
// program-wide instance lives from start to end; closing only hides it.
class CMapDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kCloseButtonId = 1031;
  static constexpr int kMapPanelId = 1201;
  static constexpr int kTitleTextId = 1202;
  static constexpr int kPositionTextId = 1203;

  // The first map window made becomes the program's until it is destroyed.
  explicit CMapDlg(QWidget* parent = nullptr);
  ~CMapDlg() override;

  static CMapDlg* Instance();

  CZvButtonCtrl* closeButton = nullptr;
  CZvMapPanelCtrl* mapPanel = nullptr;
  CZvTextCtrl* titleText = nullptr;
  CZvTextCtrl* positionText = nullptr;
  int minWidth = 300;
  int minHeight = 300;

  void LayoutControls();
  // Routes the commands of the window's buttons.
  void OnCommand(int id);

 public slots:
  // Escape and Enter do not close it; only the close button hides it.
  void accept() override {}
  void reject() override {}

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void OnInitDialog();

  zv::FramelessWindowMover mover_{this, {minWidth, minHeight}};
  bool initialised_ = false;
};
