// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/CMapTileSourceDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

using zv::TileSourceSetting;

CMapTileSourceDlg::CMapTileSourceDlg(const TileSourceSetting& setting, QWidget* parent)
    : QDialog(parent), setting_(setting) {
  setWindowTitle(QStringLiteral("타일 서버 설정"));
  auto* form = new QFormLayout(this);
  url_ = new QLineEdit(this);
  url_->setMinimumWidth(420);
  url_->setPlaceholderText(QStringLiteral("https://tile.example.org/{z}/{x}/{y}.png"));
  attribution_ = new QLineEdit(this);
  subdomains_ = new QLineEdit(this);
  form->addRow(QStringLiteral("주소"), url_);
  form->addRow(QStringLiteral("저작권 표시"), attribution_);
  form->addRow(QStringLiteral("{s} 값"), subdomains_);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("확인"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("취소"), QDialogButtonBox::RejectRole);
  QPushButton* defaults = buttons->addButton(QStringLiteral("기본값"), QDialogButtonBox::ResetRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(defaults, &QPushButton::clicked, this, [this] { Show(TileSourceSetting::Defaults()); });
  form->addRow(buttons);
  Show(setting);
}

void CMapTileSourceDlg::Show(const TileSourceSetting& setting) {
  url_->setText(setting.urlTemplate);
  attribution_->setText(setting.attribution);
  subdomains_->setText(setting.subdomains);
}

TileSourceSetting CMapTileSourceDlg::Setting() const {
  TileSourceSetting setting = setting_;
  setting.urlTemplate = url_->text().trimmed();
  setting.attribution = attribution_->text().trimmed();
  setting.subdomains = subdomains_->text().trimmed();
  return setting;
}

void CMapTileSourceDlg::accept() {
  if (!TileSourceSetting::IsUsableUrlTemplate(url_->text().trimmed())) {
    QMessageBox::warning(this, QStringLiteral("VARNI Viewer"),
                         QStringLiteral("주소는 {z}, {x}, {y}가 들어간 http 또는 https 주소여야 합니다."));
    return;
  }
  QDialog::accept();
}
