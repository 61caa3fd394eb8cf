// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class CMapViewWnd;

// A dark panel that can host the map view and keeps it filling its client
// area. At most one panel hosts the view at a time.
class CZvMapPanelCtrl : public QWidget {
  Q_OBJECT

 public:
  CZvMapPanelCtrl(int controlId, QWidget* parent);

  int controlId = 0;
  // The map view while this panel hosts it, else null.
  CMapViewWnd* hostedView = nullptr;

  // The map view has left this panel (WM_DETACH_VIEW): stores `view` (null)
  // as the hosted view.
  void OnDetachView(CMapViewWnd* view);

 signals:
  void viewDetached();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
};
