#pragma once

#include <QString>
#include <QWidget>
#include <array>

class QLineEdit;

namespace lumera {

// An entry for an IPv4 address: four octet fields that read back as dotted
// text. It takes "a.b.c.d" and also "a.b.c.d." with a trailing point, the form
// the tool writes. Typing a point or a third digit moves on to the next octet.
class TIpAddressEdit : public QWidget {
  Q_OBJECT
 public:
  explicit TIpAddressEdit(QWidget* parent = nullptr);

  // Dotted text; an empty octet reads as 0.
  QString Text() const;
  // Fills the octets from dotted text; missing or unreadable octets become
  // empty, values above 255 are cut to 255.
  void SetText(const QString& text);
  // The four octets as numbers (0 where empty).
  std::array<uint8_t, 4> Octets() const;
  QLineEdit* Octet(int i) const { return octets_[static_cast<std::size_t>(i)]; }
  // Names the entry and its octets for screen readers.
  void SetAccessibleLabel(const QString& name);

 signals:
  void TextEdited();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::array<QLineEdit*, 4> octets_{};
};

}  // namespace lumera
