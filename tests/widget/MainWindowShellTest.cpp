// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QtTest/QTest>

#include "app/CZorvaneViewerDlg.h"
#include "sensors/CZvGsensorCtrl.h"

namespace {

TEST(MainWindowShellTest, FramelessTitledAndAtMinimumSize) {
  CZorvaneViewerDlg dialog;
  dialog.OnInitDialog();
  EXPECT_EQ(g_mainWindow, &dialog);
  EXPECT_EQ(dialog.windowTitle(), QString("VARNI Viewer"));
  EXPECT_TRUE(dialog.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(dialog.size(), QSize(1034, 742));
}

// The border bands of the free surface show resize cursors; a child lying
// over a band shows the arrow, as does the maximised window.
TEST(MainWindowShellTest, BorderBandsShowResizeCursors) {
  CZorvaneViewerDlg dialog;
  dialog.OnInitDialog();
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  const auto cursorAt = [&](QWidget* widget, QPoint at) {
    QTest::mouseMove(widget, at);
    return dialog.cursor().shape();
  };
  EXPECT_EQ(cursorAt(&dialog, {3, 300}), Qt::SizeHorCursor);
  EXPECT_EQ(cursorAt(&dialog, {500, 737}), Qt::SizeVerCursor);
  EXPECT_EQ(cursorAt(&dialog, {1030, 738}), Qt::SizeFDiagCursor);
  EXPECT_EQ(cursorAt(&dialog, {1030, 3}), Qt::SizeBDiagCursor);
  EXPECT_EQ(cursorAt(&dialog, {500, 300}), Qt::ArrowCursor);  // free, but no band
  CZvGsensorCtrl* graph = dialog.GsensorGraph();  // from x = 7, inside the left band
  EXPECT_EQ(cursorAt(&dialog, {3, graph->y() + 40}), Qt::SizeHorCursor);
  EXPECT_EQ(cursorAt(graph, {1, 40}), Qt::ArrowCursor);
  dialog.showMaximized();
  EXPECT_EQ(cursorAt(&dialog, {3, 300}), Qt::ArrowCursor);
}

TEST(MainWindowShellTest, EnterAndEscapeKeepItOpenAltF4ClosesIt) {
  CZorvaneViewerDlg dialog;
  int result = -1;
  bool stillOpenAfterEnterEscape = false;
  QTimer::singleShot(0, [&] {
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QTest::keyClick(&dialog, Qt::Key_Return);
    QTest::keyClick(&dialog, Qt::Key_Enter);
    stillOpenAfterEnterEscape = dialog.isVisible();
    QTest::keyClick(&dialog, Qt::Key_F4, Qt::AltModifier);
  });
  QTimer::singleShot(5000, [&] { dialog.done(-2); });  // guard against a hang
  result = dialog.DoModal();
  EXPECT_TRUE(stillOpenAfterEnterEscape);
  EXPECT_EQ(result, QDialog::Accepted);
}

}  // namespace
