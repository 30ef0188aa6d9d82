#pragma once

#include <QObject>

namespace lumera {

class TMainForm;

// The window buttons "1" to "4": each press makes its window the one every
// page edits, tells the box first and reloads the visible page only when the
// box has answered.
class WindowSelection : public QObject {
  Q_OBJECT
 public:
  explicit WindowSelection(TMainForm& form);

  // The handler of BtnWin1-BtnWin4; tag is the pressed button's window index.
  // Also run by the keyboard shortcuts after they press a button down.
  void BtnWinClick(int tag);

 private:
  TMainForm& form_;
};

}  // namespace lumera
