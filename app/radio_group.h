#pragma once

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QRadioButton;
class QGridLayout;

namespace lumera {

// A captioned group of radio buttons addressed by index. Click fires whenever
// the index changes, by the operator or by code (a page load relies on that
// and guards its sends); clicking the button that is already chosen does not.
class TRadioGroup : public QGroupBox {
  Q_OBJECT
 public:
  explicit TRadioGroup(const QString& caption, QWidget* parent = nullptr);

  // Replaces the items; the index is kept when it is still valid.
  void SetItems(const QStringList& items);
  QStringList Items() const;
  int Count() const { return static_cast<int>(buttons_.size()); }
  QString Item(int i) const;
  void SetColumns(int columns);
  int Columns() const { return columns_; }

  int ItemIndex() const { return index_; }
  // Out-of-range indexes clear the choice (-1).
  void SetItemIndex(int index);

  QRadioButton* Button(int i) const;
  void SetItemEnabled(int i, bool enabled);

 signals:
  void Click();

 private:
  void Arrange();
  void OnToggled(int i, bool checked);

  std::vector<QRadioButton*> buttons_;
  QGridLayout* grid_;
  int columns_ = 1;
  int index_ = -1;
  bool updating_ = false;
};

}  // namespace lumera
