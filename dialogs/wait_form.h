#pragma once

#include <QWidget>

class QProgressBar;
class QTimer;

namespace lumera {

class TMainForm;

// The "Please Wait" dialog: a moving bar while the box rebuilds its state.
// The main window is disabled while it is up and it has no close box, so every
// way out (end step, status reply, reply watchdog, link down) goes through
// CloseWaitDialog, which always leaves the main window enabled.
class TWaitForm : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 460;
  static constexpr int kClientHeight = 47;

  explicit TWaitForm(TMainForm& main);

  // Only while the link is up; interval is the status timer's new interval.
  void ShowWaitDialog(int intervalMs);
  void CloseWaitDialog();

  // One more step of the bar (the 300 ms timer and every handled reply); the
  // position never passes the maximum.
  void Advance(int steps = 1);
  void RaiseMaximum(int by);
  QProgressBar* PBProgress() const { return pbProgress_; }
  QTimer* Timer1() const { return timer1_; }
  int KeySequenceIndex() const { return keyIndex_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  TMainForm& main_;
  QProgressBar* pbProgress_;
  QTimer* timer1_;
  int keyIndex_ = 0;
};

}  // namespace lumera
