#include "app/radio_group.h"

#include <QGridLayout>
#include <QRadioButton>

namespace lumera {

TRadioGroup::TRadioGroup(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent), grid_(new QGridLayout(this)) {
  grid_->setContentsMargins(6, 2, 6, 2);
  grid_->setVerticalSpacing(0);
}

void TRadioGroup::SetItems(const QStringList& items) {
  const bool same = items == Items();
  if (same) return;
  updating_ = true;
  for (QRadioButton* b : buttons_) delete b;
  buttons_.clear();
  for (int i = 0; i < items.size(); ++i) {
    auto* b = new QRadioButton(items[i], this);
    b->setObjectName(objectName() + QStringLiteral("Item%1").arg(i));
    b->setAutoExclusive(true);
    connect(b, &QRadioButton::toggled, this, [this, i](bool on) { OnToggled(i, on); });
    buttons_.push_back(b);
  }
  const int old = index_;
  index_ = -1;
  Arrange();
  updating_ = false;
  if (old >= 0 && old < Count()) {
    updating_ = true;
    buttons_[static_cast<std::size_t>(old)]->setChecked(true);
    index_ = old;
    updating_ = false;
  }
}

QStringList TRadioGroup::Items() const {
  QStringList out;
  for (QRadioButton* b : buttons_) out << b->text();
  return out;
}

QString TRadioGroup::Item(int i) const {
  return i >= 0 && i < Count() ? buttons_[static_cast<std::size_t>(i)]->text() : QString();
}

void TRadioGroup::SetColumns(int columns) {
  columns_ = columns < 1 ? 1 : columns;
  Arrange();
}

void TRadioGroup::Arrange() {
  for (QRadioButton* b : buttons_) grid_->removeWidget(b);
  const int n = Count();
  const int rows = (n + columns_ - 1) / columns_;
  for (int i = 0; i < n; ++i)
    grid_->addWidget(buttons_[static_cast<std::size_t>(i)], rows ? i % rows : 0,
                     rows ? i / rows : 0);
}

void TRadioGroup::SetItemIndex(int index) {
  if (index < 0 || index >= Count()) index = -1;
  if (index == index_) return;
  updating_ = true;
  if (index < 0) {
    for (QRadioButton* b : buttons_) {
      b->setAutoExclusive(false);
      b->setChecked(false);
      b->setAutoExclusive(true);
    }
  } else {
    buttons_[static_cast<std::size_t>(index)]->setChecked(true);
  }
  index_ = index;
  updating_ = false;
  emit Click();
}

QRadioButton* TRadioGroup::Button(int i) const {
  return i >= 0 && i < Count() ? buttons_[static_cast<std::size_t>(i)] : nullptr;
}

void TRadioGroup::SetItemEnabled(int i, bool enabled) {
  if (QRadioButton* b = Button(i)) b->setEnabled(enabled);
}

void TRadioGroup::OnToggled(int i, bool checked) {
  if (updating_ || !checked || i == index_) return;
  index_ = i;
  emit Click();
}

}  // namespace lumera
