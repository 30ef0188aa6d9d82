#include "dialogs/wait_form.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QProgressBar>
#include <QTimer>

#include "app/main_form.h"

namespace lumera {

namespace {
constexpr char kAccessCode[] = "40318826";
constexpr int kAccessCodeLength = 8;
}  // namespace

TWaitForm::TWaitForm(TMainForm& main)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      main_(main),
      pbProgress_(new QProgressBar(this)),
      timer1_(new QTimer(this)) {
  setObjectName(QStringLiteral("WaitForm"));
  setWindowTitle(QStringLiteral("Please Wait"));
  setFixedSize(kClientWidth, kClientHeight);
  setFocusPolicy(Qt::StrongFocus);
  pbProgress_->setObjectName(QStringLiteral("PBProgress"));
  pbProgress_->setAccessibleName(QStringLiteral("Progress"));
  pbProgress_->setGeometry(6, 8, 449, 33);
  pbProgress_->setRange(0, 100);
  pbProgress_->setValue(100);
  pbProgress_->setTextVisible(false);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(300);
  connect(timer1_, &QTimer::timeout, this, [this] { Advance(); });
}

void TWaitForm::Advance(int steps) {
  const int next = pbProgress_->value() + steps;
  pbProgress_->setValue(next > pbProgress_->maximum() ? pbProgress_->maximum() : next);
}

void TWaitForm::RaiseMaximum(int by) {
  pbProgress_->setMaximum(pbProgress_->maximum() + by);
}

void TWaitForm::ShowWaitDialog(int intervalMs) {
  BoxSession& s = main_.Session();
  if (!s.Connected()) return;
  QTimer* status = main_.TmrStatus();
  if (!status->isActive()) s.Set(LinkFlag::TimerWasOff);
  s.Set(LinkFlag::WaitShown);
  pbProgress_->setValue(0);
  const QRect m = main_.frameGeometry();
  move(m.left() + m.width() / 2 - width() / 2, m.top() + m.height() / 2 - height() / 2);
  main_.SetBusy(true);
  timer1_->start();
  show();
  raise();
  activateWindow();
  setFocus();
  status->stop();
  status->setInterval(intervalMs);
  status->start();
}

void TWaitForm::CloseWaitDialog() {
  pbProgress_->setValue(pbProgress_->maximum());
  timer1_->stop();
  hide();
  pbProgress_->setMaximum(100);
  main_.Session().Clear(LinkFlag::WaitShown);
  main_.SetBusy(false);
  main_.activateWindow();
  main_.setFocus();
}

void TWaitForm::showEvent(QShowEvent* event) {
  keyIndex_ = 0;
  QWidget::showEvent(event);
}

void TWaitForm::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers m = event->modifiers();
  const bool chord = (m & Qt::ControlModifier) && (m & Qt::AltModifier) && !(m & Qt::ShiftModifier);
  const int key = event->key();
  if (chord && (m & Qt::KeypadModifier) && key >= Qt::Key_0 && key <= Qt::Key_9) {
    if (keyIndex_ < kAccessCodeLength && key - Qt::Key_0 == kAccessCode[keyIndex_] - '0') {
      ++keyIndex_;
      if (keyIndex_ == kAccessCodeLength) main_.ShowDiagnostics();
    }
    return;
  }
  QWidget::keyPressEvent(event);
}

// The operator cannot close the dialog; the wait ends it.
void TWaitForm::closeEvent(QCloseEvent* event) {
  if (main_.Session().Has(LinkFlag::WaitShown)) event->ignore();
}

}  // namespace lumera
