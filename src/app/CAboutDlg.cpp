// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "BuildConfig.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle("ZorvaneViewer 정보");
  auto* icon = new QLabel;
  icon->setPixmap(QIcon(":/skin/icon/128.png").pixmap(64, 64));
  auto* text = new QLabel(QString("<b>VARNI Viewer</b><br>버전 %1<br><br>"
                                  "전후방 블랙박스 영상 뷰어").arg(ZV_VERSION));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* row = new QHBoxLayout;
  row->addWidget(icon);
  row->addWidget(text, 1);
  auto* column = new QVBoxLayout(this);
  column->addLayout(row);
  column->addWidget(buttons);
}
