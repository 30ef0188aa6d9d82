#include "app/ip_address_edit.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>

namespace lumera {

TIpAddressEdit::TIpAddressEdit(QWidget* parent) : QWidget(parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (int i = 0; i < 4; ++i) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("Octet%1").arg(i + 1));
    edit->setValidator(new QIntValidator(0, 255, edit));
    edit->setMaxLength(3);
    edit->setAlignment(Qt::AlignCenter);
    edit->setFrame(false);
    edit->installEventFilter(this);
    octets_[static_cast<std::size_t>(i)] = edit;
    layout->addWidget(edit, 1);
    if (i < 3) layout->addWidget(new QLabel(QStringLiteral("."), this));
    connect(edit, &QLineEdit::textEdited, this, [this, i](const QString& text) {
      if (text.size() == 3 && i < 3) octets_[static_cast<std::size_t>(i + 1)]->setFocus();
      emit TextEdited();
    });
  }
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
  setFocusProxy(octets_[0]);
}

QString TIpAddressEdit::Text() const {
  QStringList parts;
  for (uint8_t v : Octets()) parts << QString::number(v);
  return parts.join('.');
}

std::array<uint8_t, 4> TIpAddressEdit::Octets() const {
  std::array<uint8_t, 4> out{};
  for (std::size_t i = 0; i < 4; ++i) {
    const int v = octets_[i]->text().toInt();
    out[i] = static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
  }
  return out;
}

void TIpAddressEdit::SetText(const QString& text) {
  const QStringList parts = text.split('.');
  for (std::size_t i = 0; i < 4; ++i) {
    QString value;
    if (i < static_cast<std::size_t>(parts.size())) {
      bool ok = false;
      const int v = parts[static_cast<int>(i)].trimmed().toInt(&ok);
      if (ok && v >= 0) value = QString::number(v > 255 ? 255 : v);
    }
    octets_[i]->setText(value);
  }
}

bool TIpAddressEdit::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    for (std::size_t i = 0; i < 4; ++i) {
      if (watched != octets_[i]) continue;
      if (key->text() == QLatin1String(".") && i < 3) {
        octets_[i + 1]->setFocus();
        octets_[i + 1]->selectAll();
        return true;
      }
      if (key->key() == Qt::Key_Backspace && i > 0 && octets_[i]->cursorPosition() == 0) {
        octets_[i - 1]->setFocus();
        return false;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TIpAddressEdit::SetAccessibleLabel(const QString& name) {
  setAccessibleName(name);
  for (std::size_t i = 0; i < 4; ++i)
    octets_[i]->setAccessibleName(name + QStringLiteral(" octet %1").arg(i + 1));
}

}  // namespace lumera
