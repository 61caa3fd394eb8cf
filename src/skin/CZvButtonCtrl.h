// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <cstdint>

#include "skin/SkinImages.h"

// A push button drawn entirely from skin pictures, with separate pictures for
// the normal, hover, disabled and selected states. The owner writes the fields
// directly and calls Redraw() after changing them. A click emits
// command(commandId), which the owner routes to its OnCommand.
class CZvButtonCtrl : public QAbstractButton {
  Q_OBJECT

public:
  explicit CZvButtonCtrl(int commandId = 0, QWidget* parent = nullptr);

  SkinImageId normalImage = 0;
  SkinImageId hoverImage = 0;  // 0: no hover picture
  SkinImageId disabledImage = 0;
  SkinImageId selectedImage = 0;
  std::uint8_t selected = 0;
  std::uint8_t enabled = 1;  // 0: ignores clicks and shows the disabled picture
  std::uint8_t topBar = 0;   // 1: the background carries the title strip
  int commandId = 0;

  // Paints the whole button with the picture id over its background. False
  // only when a PNG picture exists but does not decode.
  bool DrawSkinImage(QPainter& painter, SkinImageId id);
  // Paints the state picture now.
  void Redraw();
  // Disabled picture if not enabled, else selected picture if selected,
  // else the normal picture.
  SkinImageId StateImage() const;
  // The picture the button shows at present.
  SkinImageId ShownImage() const;

  QSize sizeHint() const override;

signals:
  void command(int id);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

private:
  void ShowPicture(SkinImageId id);
  bool TakesMouseButton(QMouseEvent* event);
  void PaintBackground(QPainter& painter);

  // Between a hover or leave picture and the next full redraw, the button
  // shows m_passingImage instead of its state picture.
  bool m_showsPassing = false;
  SkinImageId m_passingImage = 0;
  bool m_watchesLeave = false;
};
