// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/CExportDialog.h"

#include <QHBoxLayout>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

CExportDialog::CExportDialog(const QString& title, const QString& action, QWidget* parent) : QDialog(parent) {
  setWindowTitle(title);
  progress = new QProgressBar;
  progress->hide();
  actionButton = new QPushButton(action);
  closeButton = new QPushButton(QStringLiteral("닫기"));
  tell = [this](const QString& text, bool failure) {
    if (failure) QMessageBox::warning(this, windowTitle(), text);
    else QMessageBox::information(this, windowTitle(), text);
  };
  connect(actionButton, &QPushButton::clicked, this, [this] { OnActionClicked(); });
  connect(closeButton, &QPushButton::clicked, this, &CExportDialog::reject);
}

void CExportDialog::Build(std::initializer_list<QWidget*> choices) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);  // room for the progress bar when it shows
  for (QWidget* choice : choices) layout->addWidget(choice);
  layout->addWidget(progress);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(actionButton);
  buttons->addWidget(closeButton);
  layout->addLayout(buttons);
}

void CExportDialog::SetRunning(bool running) {
  progress->setValue(0);
  progress->setVisible(running);
  actionButton->setEnabled(!running);
  closeButton->setText(running ? QStringLiteral("취소") : QStringLiteral("닫기"));
}

void CExportDialog::reject() {
  if (ExportRunning()) return CancelExport();
  QDialog::reject();
}
