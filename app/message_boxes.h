#pragma once

#include <QString>

class QWidget;

namespace lumera {

// Every message box of the tool goes through here, with its exact text; tests
// answer and read them.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void Info(const QString& text) = 0;
  virtual void Error(const QString& text) = 0;
  virtual void Warning(const QString& text) = 0;
  // OK/Cancel and Yes/No questions; true for OK or Yes.
  virtual bool ConfirmOkCancel(const QString& text) = 0;
  virtual bool ConfirmYesNo(const QString& text) = 0;
};

class QtMessageBoxes : public MessageBoxes {
 public:
  explicit QtMessageBoxes(QWidget* parent) : parent_(parent) {}
  void Info(const QString& text) override;
  void Error(const QString& text) override;
  void Warning(const QString& text) override;
  bool ConfirmOkCancel(const QString& text) override;
  bool ConfirmYesNo(const QString& text) override;

 private:
  QWidget* parent_;
};

}  // namespace lumera
