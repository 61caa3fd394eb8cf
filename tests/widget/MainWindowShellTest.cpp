#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QtTest/QTest>

#include "app/CZorvaneViewerDlg.h"

namespace {

TEST(MainWindowShellTest, FramelessTitledAndAtMinimumSize) {
  CZorvaneViewerDlg dialog;
  dialog.OnInitDialog();
  EXPECT_EQ(g_mainWindow, &dialog);
  EXPECT_EQ(dialog.windowTitle(), QString("VARNI Viewer"));
  EXPECT_TRUE(dialog.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(dialog.size(), QSize(1034, 742));
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
