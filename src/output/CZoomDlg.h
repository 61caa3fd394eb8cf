#pragma once

#include <QDialog>
#include <QImage>
#include <QTimer>

#include <cstdint>

// The magnifier: an always-on-top tool window that shows the screen around
// the mouse cursor enlarged `factor` times, refreshed every 40 ms while it is
// shown. Closing it only hides it.
class CZoomDlg : public QDialog {
  Q_OBJECT

 public:
  // Made hidden at (850, 465), 425 x 330.
  explicit CZoomDlg(QWidget* parent = nullptr);
  ~CZoomDlg() override;

  // The Zoom command: shows a hidden magnifier, hides a shown one.
  void ToggleShown();
  // One refresh: the magnified screen area around the cursor.
  void Refresh();
  // The picture of a refresh from a copy of the screen, the cursor and the
  // magnifier's own client area, both in the copy's coordinates: the own
  // area greyed out, then the source area stretched to `clientSize`.
  static QImage Magnify(QImage screenCopy, QPoint cursor, QRect ownArea, QSize clientSize,
                        int factor);

  uint8_t visible = 0;  // 1 while shown; refreshes happen only then
  int32_t factor = 3;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Escape hides it like the close box, keeping the flag in step.
  void reject() override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void OnTimer();
  void HideShown();

  QTimer timer_;
  QImage picture_;  // the last refresh, painted over the whole client area
};
