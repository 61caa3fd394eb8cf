// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class CZvButtonCtrl;

// A black panel that carries skinned buttons and passes their commands on to
// its owner: command(id) is posted (queued) for every click of a button
// added with AddButton.
class CZvPanelCtrl : public QWidget {
  Q_OBJECT

public:
  explicit CZvPanelCtrl(QWidget* parent = nullptr);

  // Makes the button a child of the panel and forwards its commands.
  void AddButton(CZvButtonCtrl* button);

signals:
  void command(int id);

protected:
  void paintEvent(QPaintEvent* event) override;
};
