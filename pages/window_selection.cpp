#include "pages/window_selection.h"

#include <QToolButton>

#include "app/main_form.h"

namespace lumera {

WindowSelection::WindowSelection(TMainForm& form) : QObject(&form), form_(form) {
  setObjectName(QStringLiteral("WindowSelection"));
  for (int i = 0; i < 4; ++i) {
    QToolButton* button = form_.WindowButton(i);
    connect(button, &QToolButton::clicked, this,
            [this, button] { BtnWinClick(button->property("Tag").toInt()); });
  }
}

void WindowSelection::BtnWinClick(int tag) {
  if (tag < 0 || tag > 3) return;
  BoxSession& s = form_.Session();
  s.SelectedWindow = static_cast<uint8_t>(tag);
  form_.SetInputNames();
  if (s.Connected()) {
    // A BoxCommand names no window, so the box must switch before any page
    // can edit it; step 2024 loads the page on the answer.
    s.ConversationStep = 2024;
    form_.Builders().SendSelectWindow(static_cast<uint8_t>(tag));
  } else {
    form_.RunVisiblePageShow();
  }
}

}  // namespace lumera
