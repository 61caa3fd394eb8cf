// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHeaderView>

// The recording list's column header with dark cells and white text. It keeps
// QHeaderView's behaviour (widths, clicks) and only paints: each column cell
// is filled RGB(30,30,30) and its text drawn 3 pixels below the top, centred,
// except columns 0 and 3 which are left-aligned. The area right of the last
// column is not painted by the header.
class CSkinHeaderCtrl : public QHeaderView {
  Q_OBJECT

public:
  explicit CSkinHeaderCtrl(QWidget* parent = nullptr);

  // Horizontal alignment of a column's text.
  static Qt::Alignment ColumnAlignment(int column);

protected:
  void paintEvent(QPaintEvent* event) override;
};
