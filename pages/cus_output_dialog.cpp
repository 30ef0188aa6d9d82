#include "pages/cus_output_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "app/main_form.h"
#include "app/scroll_bar.h"
#include "link/command_templates.h"
#include "pages/timing_table.h"

namespace lumera {

namespace {

constexpr int kClientWidth = 316;
constexpr int kClientHeight = 236;

QGroupBox* Group(QWidget* parent, const char* name, const char* caption, int y) {
  auto* g = new QGroupBox(QString::fromLatin1(caption), parent);
  g->setObjectName(QString::fromLatin1(name));
  g->setGeometry(8, y, kClientWidth - 16, 56);
  return g;
}

uint16_t Clamped(uint32_t value, const TScrollBarEx* bar) {
  const auto lo = static_cast<uint32_t>(bar->minimum());
  const auto hi = static_cast<uint32_t>(bar->maximum());
  return static_cast<uint16_t>(value < lo ? lo : value > hi ? hi : value);
}

}  // namespace

TCusOutput::TCusOutput(TMainForm& main)
    : QDialog(&main, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      main_(main) {
  setObjectName(QStringLiteral("CusOutput"));
  setWindowTitle(QStringLiteral("Customixe Output Setting"));
  setFixedSize(kClientWidth, kClientHeight);

  QGroupBox* width = Group(this, "GBCusWidth", "Width ", 8);
  sbWidth_ = new TScrollBarEx(Qt::Horizontal, width);
  sbWidth_->setObjectName(QStringLiteral("SBCusWidth"));
  sbWidth_->setAccessibleName(QStringLiteral("Width"));
  sbWidth_->setGeometry(10, 24, 214, 18);
  sbWidth_->setRange(800, 4096);
  sbWidth_->setSingleStep(8);
  sbWidth_->setPageStep(16);
  stWidth_ = new QLabel(QStringLiteral("800"), width);
  stWidth_->setObjectName(QStringLiteral("STCusOutW"));
  stWidth_->setAccessibleName(QStringLiteral("Width value"));
  stWidth_->setGeometry(234, 24, 56, 18);

  QGroupBox* height = Group(this, "GBCusHeight", "Height  ", 70);
  sbHeight_ = new TScrollBarEx(Qt::Horizontal, height);
  sbHeight_->setObjectName(QStringLiteral("SBCusHeight"));
  sbHeight_->setAccessibleName(QStringLiteral("Height"));
  sbHeight_->setGeometry(10, 24, 214, 18);
  sbHeight_->setRange(600, 3840);
  sbHeight_->setSingleStep(1);
  sbHeight_->setPageStep(1);
  stHeight_ = new QLabel(QStringLiteral("600"), height);
  stHeight_->setObjectName(QStringLiteral("STCusOutH"));
  stHeight_->setAccessibleName(QStringLiteral("Height value"));
  stHeight_->setGeometry(234, 24, 56, 18);

  QGroupBox* rate = Group(this, "GBCusRate", "Refresh Rate", 132);
  cbRate_ = new QComboBox(rate);
  cbRate_->setObjectName(QStringLiteral("CBRate"));
  cbRate_->setAccessibleName(QStringLiteral("Refresh Rate"));
  cbRate_->setGeometry(10, 22, 120, 24);
  for (uint8_t hz : kRateTable) cbRate_->addItem(QStringLiteral("%1 Hz").arg(hz));
  cbRate_->setCurrentIndex(rateIndex_);

  btnApply_ = new QPushButton(QStringLiteral("Apply"), this);
  btnApply_->setObjectName(QStringLiteral("TntButton1"));
  btnApply_->setGeometry(kClientWidth / 2 - 110, 198, 100, 28);
  btnCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  btnCancel_->setObjectName(QStringLiteral("BtnCusOut"));
  btnCancel_->setGeometry(kClientWidth / 2 + 10, 198, 100, 28);

  connect(sbWidth_, &TScrollBarEx::Change, this, &TCusOutput::SBCusWidthChange);
  connect(sbWidth_, &TScrollBarEx::Scroll, this, &TCusOutput::SBCusWidthScroll);
  connect(sbHeight_, &TScrollBarEx::Change, this, &TCusOutput::SBCusHeightChange);
  connect(sbHeight_, &TScrollBarEx::Scroll, this, &TCusOutput::SBCusHeightScroll);
  // A choice of the operator, even of the rate already shown: with a stored
  // rate the list does not have, the shown one is not yet the box's.
  connect(cbRate_, &QComboBox::activated, this, &TCusOutput::CBRateChange);
  connect(btnApply_, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TCusOutput::SetFields(uint32_t width, uint32_t height, uint8_t rate) {
  cusWidth_ = width;
  cusHeight_ = height;
  cusRate_ = rate;
}

int TCusOutput::ShowModalCentred() {
  const QRect m = main_.frameGeometry();
  move(m.left() + m.width() / 2 - width() / 2, m.top() + m.height() / 2 - height() / 2);
  if (!runner_) return exec();
  setResult(QDialog::Rejected);
  show();
  const int result = runner_(*this);
  hide();
  return result;
}

void TCusOutput::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TCusOutput::FormShow() {
  sbWidth_->setValue(Clamped(cusWidth_, sbWidth_));
  sbHeight_->setValue(Clamped(cusHeight_, sbHeight_));
  const int index = RateIndexOf(cusRate_);
  if (index >= 0) ShowRate(index);
  rateIndex_ = cbRate_->currentIndex();
}

void TCusOutput::SBCusWidthChange(int position) {
  const int rounded = position - position % 8;
  if (rounded != position) {
    sbWidth_->setValue(rounded);  // runs this again with the rounded position
    return;
  }
  stWidth_->setText(QString::number(position));
}

void TCusOutput::SBCusWidthScroll(int code) {
  if (code != TScrollBarEx::kScrollEnd) return;
  const auto width = static_cast<uint16_t>(sbWidth_->value());
  if (TimingExceedsLimit(width, ShownHeight(), cusRate_)) {
    sbWidth_->setValue(ShownWidth());
    return;
  }
  cusWidth_ = width;
  main_.Sender().SendBoxCommand(EncodedCommand(Tpl::CMW, width));
}

void TCusOutput::SBCusHeightChange(int position) {
  stHeight_->setText(QString::number(position));
}

void TCusOutput::SBCusHeightScroll(int code) {
  if (code != TScrollBarEx::kScrollEnd) return;
  const auto height = static_cast<uint16_t>(sbHeight_->value());
  if (TimingExceedsLimit(ShownWidth(), height, cusRate_)) {
    sbHeight_->setValue(ShownHeight());
    return;
  }
  cusHeight_ = height;
  main_.Sender().SendBoxCommand(EncodedCommand(Tpl::CMH, height));
}

void TCusOutput::CBRateChange(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kRateTable))) return;
  const uint8_t rate = kRateTable[index];
  if (TimingExceedsLimit(ShownWidth(), ShownHeight(), rate)) {
    // Back to the stored rate; a stored rate the list does not have leaves
    // the list where it was before this choice.
    const int stored = RateIndexOf(cusRate_);
    ShowRate(stored >= 0 ? stored : rateIndex_);
    return;
  }
  rateIndex_ = index;
  cusRate_ = rate;
  main_.Sender().SendBoxCommand(EncodedCommand(Tpl::CMR, rate));
}

uint16_t TCusOutput::ShownWidth() const {
  return Clamped(cusWidth_, sbWidth_);
}

uint16_t TCusOutput::ShownHeight() const {
  return Clamped(cusHeight_, sbHeight_);
}

void TCusOutput::ShowRate(int index) {
  cbRate_->setCurrentIndex(index);
  rateIndex_ = index;
}

}  // namespace lumera
