// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/CFormatCardDlg.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

CFormatCardDlg::CFormatCardDlg(std::unique_ptr<zv::ICardFormatter> formatter,
                               const QString& driveText, QWidget* parent, const QString& deviceText)
    : QDialog(parent), formatter_(std::move(formatter)) {
  setWindowTitle(QStringLiteral("포맷"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("드라이브"), new QLabel(driveText, this));
  if (!deviceText.isEmpty()) form->addRow(QStringLiteral("장치"), new QLabel(deviceText, this));
  labelEdit_ = new QLineEdit(QString::fromLatin1(kDefaultVolumeLabel), this);
  labelEdit_->setObjectName(QStringLiteral("volumeLabel"));
  labelEdit_->setMaxLength(kMaxVolumeLabel);
  form->addRow(QStringLiteral("볼륨 레이블"), labelEdit_);
  layout->addLayout(form);
  auto* warning = new QLabel(QStringLiteral("포맷하면 카드의 모든 데이터가 지워집니다."), this);
  layout->addWidget(warning);

  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("progress"));
  progress_->setRange(0, 1);
  progress_->setValue(0);
  progress_->setTextVisible(false);
  layout->addWidget(progress_);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("result"));
  status_->setWordWrap(true);
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(status_);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  startButton_ = new QPushButton(QStringLiteral("시작"), this);
  startButton_->setObjectName(QStringLiteral("start"));
  cancelButton_ = new QPushButton(QStringLiteral("취소"), this);
  cancelButton_->setObjectName(QStringLiteral("cancel"));
  buttons->addWidget(startButton_);
  buttons->addWidget(cancelButton_);
  layout->addLayout(buttons);
  setMinimumWidth(360);

  connect(labelEdit_, &QLineEdit::textChanged, this,
          [this](const QString& text) { startButton_->setEnabled(!text.trimmed().isEmpty()); });
  connect(startButton_, &QPushButton::clicked, this, &CFormatCardDlg::OnStart);
  connect(cancelButton_, &QPushButton::clicked, this, &CFormatCardDlg::reject);
  connect(formatter_.get(), &zv::ICardFormatter::Progress, status_, &QLabel::setText);
  connect(formatter_.get(), &zv::ICardFormatter::Finished, this, &CFormatCardDlg::OnFinished);
}

CFormatCardDlg::~CFormatCardDlg() = default;

void CFormatCardDlg::OnStart() {
  if (const QString refusal = checkDevice ? checkDevice() : QString(); !refusal.isEmpty()) {
    ShowRefusal(refusal);
    return;
  }
  formatting_ = true;
  labelEdit_->setEnabled(false);
  startButton_->setEnabled(false);
  cancelButton_->setEnabled(false);
  progress_->setRange(0, 0);  // busy: the tools report no percentage
  status_->setText(QStringLiteral("포맷 중..."));
  formatter_->Start(labelEdit_->text().trimmed());
}

void CFormatCardDlg::OnFinished(bool succeeded, const QString& report) {
  formatting_ = false;
  succeeded_ = succeeded;
  progress_->setRange(0, 1);
  progress_->setValue(succeeded ? 1 : 0);
  status_->setText((succeeded ? QStringLiteral("포맷이 끝났습니다.")
                              : QStringLiteral("포맷하지 못했습니다.")) +
                   QLatin1Char('\n') + report);
  cancelButton_->setText(QStringLiteral("닫기"));
  cancelButton_->setEnabled(true);
  adjustSize();
}

// The card is left as it is; only closing remains.
void CFormatCardDlg::ShowRefusal(const QString& reason) {
  labelEdit_->setEnabled(false);
  startButton_->setEnabled(false);
  status_->setText(QStringLiteral("포맷하지 않았습니다.\n") + reason);
  cancelButton_->setText(QStringLiteral("닫기"));
  adjustSize();
}

void CFormatCardDlg::reject() {
  if (formatting_) return;  // a format half done must not lose its window
  QDialog::reject();
}
