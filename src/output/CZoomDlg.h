// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QImage>
#include <QPointer>
#include <QTimer>

#include <cstdint>

// The magnifier: an always-on-top tool window that shows the part of the
// program's window under the mouse cursor enlarged `factor` times. It reads
// only the program's own windows (a window system such as Wayland lets no
// program read the screen), and only while the cursor moves: a move seen
// by the program marks the picture stale, and a 40 ms timer, running while
// the magnifier is shown, draws it again. Closing it only hides it.
class CZoomDlg : public QDialog {
  Q_OBJECT

 public:
  // Made hidden at (850, 465), 425 x 330.
  explicit CZoomDlg(QWidget* parent = nullptr);
  ~CZoomDlg() override;

  // The Zoom command: shows a hidden magnifier, hides a shown one.
  void ToggleShown();
  // One refresh: the magnified area around the cursor's last known place.
  void Refresh();
  // The picture of a refresh: the area of `window` around `cursor` (in the
  // window's coordinates) a factor smaller than `clientSize`, pushed back
  // inside the window, stretched to `clientSize`. Grey without a window.
  static QImage Magnify(QWidget* window, QPoint cursor, QSize clientSize, int factor);

  uint8_t visible = 0;  // 1 while shown; refreshes happen only then
  int32_t factor = 3;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Escape hides it like the close box, keeping the flag in step.
  void reject() override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void OnTimer();
  void HideShown();

  QTimer timer_;
  QImage picture_;             // the last refresh, painted over the whole client area
  QPointer<QWidget> source_;   // the program's window under the cursor; none over the magnifier
  QPoint cursor_;              // the cursor in the source window's coordinates
  bool cursorMoved_ = false;   // the picture is stale
};
