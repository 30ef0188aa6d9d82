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
  if (items == Items()) return;
  updating_ = true;
  // Buttons are renamed where they exist, so that a new model or window costs
  // no widgets; only a change of count adds or removes some.
  const std::size_t n = static_cast<std::size_t>(items.size());
  while (buttons_.size() > n) {
    delete buttons_.back();
    buttons_.pop_back();
  }
  for (std::size_t i = 0; i < n; ++i) {
    const QString& text = items[static_cast<int>(i)];
    if (i < buttons_.size()) {
      buttons_[i]->setText(text);
      continue;
    }
    auto* b = new QRadioButton(text, this);
    b->setObjectName(objectName() + QStringLiteral("Item%1").arg(i));
    b->setAutoExclusive(true);
    const int index = static_cast<int>(i);
    connect(b, &QRadioButton::toggled, this, [this, index](bool on) { OnToggled(index, on); });
    buttons_.push_back(b);
    if (isVisible()) b->show();
  }
  if (index_ >= Count()) index_ = -1;
  Arrange();
  updating_ = false;
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
  columns = columns < 1 ? 1 : columns;
  if (columns == columns_) return;
  columns_ = columns;
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
