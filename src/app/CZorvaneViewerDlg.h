#pragma once

#include <QDialog>
#include <QIcon>

#include "player/CVideoPlayer.h"

class QKeyEvent;

// The main window: a borderless, skinned dialog that owns every visible part
// of the program.
class CZorvaneViewerDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CZorvaneViewerDlg(QWidget* parent = nullptr);
  ~CZorvaneViewerDlg() override;

  // Builds the window, then runs it modally until it is closed.
  int DoModal();
  bool OnInitDialog();

  // Keys are seen here before any control gets them. Returns true when the
  // key was handled and must not be passed on.
  bool PreTranslateMessage(QKeyEvent* event);

  static constexpr int kMinWidth = 1034;
  static constexpr int kMinHeight = 742;

 public slots:
  // Enter and Escape never close the window.
  void accept() override {}
  void reject() override {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void CloseMainWindow();
  void CentreOnScreen();

  CVideoPlayer player_;
  QIcon icon_;
  bool initialised_ = false;
};

// The one main window, reachable by the other windows.
extern CZorvaneViewerDlg* g_mainWindow;
