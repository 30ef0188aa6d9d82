#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "app/message_boxes.h"

namespace lumera::test {

// Records every message box and answers questions from a queue (yes by
// default).
class FakeMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    QString kind;
    QString text;
  };
  void Info(const QString& t) override { shown.push_back({"info", t}); }
  void Error(const QString& t) override { shown.push_back({"error", t}); }
  void Warning(const QString& t) override { shown.push_back({"warning", t}); }
  bool ConfirmOkCancel(const QString& t) override {
    shown.push_back({"okcancel", t});
    return Answer();
  }
  bool ConfirmYesNo(const QString& t) override {
    shown.push_back({"yesno", t});
    return Answer();
  }
  QString LastText() const { return shown.empty() ? QString() : shown.back().text; }

  std::vector<Shown> shown;
  std::deque<bool> answers;

 private:
  bool Answer() {
    if (answers.empty()) return true;
    const bool a = answers.front();
    answers.pop_front();
    return a;
  }
};

}  // namespace lumera::test
