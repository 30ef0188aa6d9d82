#include "app/message_boxes.h"

#include <QMessageBox>

#include "app/startup_rules.h"

namespace lumera {

namespace {
QString Title() {
  return QString::fromUtf8(kApplicationTitle.data(), kApplicationTitle.size());
}
}  // namespace

void QtMessageBoxes::Info(const QString& text) {
  QMessageBox::information(parent_, Title(), text, QMessageBox::Ok);
}
void QtMessageBoxes::Error(const QString& text) {
  QMessageBox::critical(parent_, Title(), text, QMessageBox::Ok);
}
void QtMessageBoxes::Warning(const QString& text) {
  QMessageBox::warning(parent_, Title(), text, QMessageBox::Ok);
}
bool QtMessageBoxes::ConfirmOkCancel(const QString& text) {
  return QMessageBox::question(parent_, Title(), text, QMessageBox::Ok | QMessageBox::Cancel,
                               QMessageBox::Cancel) == QMessageBox::Ok;
}
bool QtMessageBoxes::ConfirmYesNo(const QString& text) {
  return QMessageBox::question(parent_, Title(), text, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace lumera
