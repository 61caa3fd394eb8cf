// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include "app/StartupEnvironment.h"

namespace {

// The standard dialogs the program uses speak Korean once Qt's own
// translations are installed, as the program does at start-up.
TEST(QtTranslationsTest, StandardDialogsSpeakKorean) {
  ASSERT_EQ(zv::InstallQtTranslations(*qApp), 2) << "qt6-translations-l10n is not installed";
  QMessageBox box(QMessageBox::Question, "VARNI Viewer", "포맷 하시겠습니까?",
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
  EXPECT_EQ(box.button(QMessageBox::Yes)->text(), "예(&Y)");
  EXPECT_EQ(box.button(QMessageBox::No)->text(), "아니요(&N)");
  EXPECT_EQ(box.button(QMessageBox::Ok)->text(), "확인");
  EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "취소");

  QFileDialog chooser(nullptr, "selec Folder");
  chooser.setOption(QFileDialog::DontUseNativeDialog);
  chooser.setFileMode(QFileDialog::Directory);
  EXPECT_EQ(chooser.labelText(QFileDialog::LookIn), "다음에서 찾기:");  // "Look in:"
  for (QTranslator* translator : qApp->findChildren<QTranslator*>()) QCoreApplication::removeTranslator(translator);
}

}  // namespace
