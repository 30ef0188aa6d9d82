#include "pages/about_page.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>

#include "app/main_form.h"
#include "conversation/model_family.h"
#include "link/command_templates.h"
#include "pages/rotation_glyph.h"

namespace lumera {

namespace {
constexpr int kPictureSize = 44;
constexpr int kColumnWidth = 88;
}  // namespace

AboutPage::AboutPage(TMainForm& form) : form_(form) {
  QWidget* page = form_.PageWidget(kPageAbout);
  rbRotation_ = new QGroupBox(QStringLiteral("Orientation"), page);
  rbRotation_->setObjectName(QStringLiteral("RBRotation"));
  rbRotation_->setGeometry(8, 8, 16 + kColumnWidth * 6, 96);
  for (int i = 0; i < 6; ++i) {
    const int x = 10 + kColumnWidth * i;
    auto* picture = new QToolButton(rbRotation_);
    picture->setObjectName(QStringLiteral("ImgRot%1").arg(i + 1));
    picture->setProperty("Tag", i);
    picture->setAutoRaise(true);
    picture->setIcon(RotationIcon(i, kPictureSize));
    picture->setIconSize(QSize(kPictureSize, kPictureSize));
    picture->setGeometry(x + 14, 18, kPictureSize + 6, kPictureSize + 6);
    picture->setAccessibleName(QStringLiteral("Orientation picture %1").arg(OrientationName(i)));
    picture->setToolTip(OrientationName(i));
    QObject::connect(picture, &QToolButton::clicked, picture, [this, i] { ImgRotClick(i); });
    imgRot_[static_cast<std::size_t>(i)] = picture;

    auto* radio = new QRadioButton(OrientationName(i), rbRotation_);
    radio->setObjectName(QStringLiteral("RBRot%1").arg(i + 1));
    radio->setProperty("Tag", i);
    radio->setGeometry(x, 70, kColumnWidth - 4, 20);
    QObject::connect(radio, &QRadioButton::toggled, radio, [this, i](bool on) {
      if (on) RBRot1Click(i);
    });
    rotRadios_[static_cast<std::size_t>(i)] = radio;
  }
  ShowOrientation(0);
}

void AboutPage::Show() {
  BoxSession& s = form_.Session();
  if (!s.Connected() || FamilyOf(s.ModelByte) != Family::U) return;
  s.ConversationStep = 2020;
  form_.Builders().SendPattern(0);
}

void AboutPage::RBRot1Click(int tag) {
  if (tag < 0 || tag >= 6) return;
  BoxSession& s = form_.Session();
  QRadioButton* radio = rotRadios_[static_cast<std::size_t>(tag)];
  if (!radio->isChecked()) {
    const QSignalBlocker quiet(radio);
    radio->setChecked(true);
  }
  Set(s.Image.PictureSettings.Entry(s.SelectedWindow), PictureField::Orientation,
      static_cast<uint8_t>(tag));
  if (s.Has(LinkFlag::RefreshGuard)) return;
  form_.Sender().SendBoxCommand(EncodedCommand(Tpl::ORI, tag));
}

void AboutPage::ImgRotClick(int tag) {
  if (tag < 0 || tag >= 6) return;
  BoxSession& s = form_.Session();
  // Checking a radio that was not yet chosen runs RBRot1Click, which sends.
  rotRadios_[static_cast<std::size_t>(tag)]->setChecked(true);
  Set(s.Image.PictureSettings.Entry(s.SelectedWindow), PictureField::Orientation,
      static_cast<uint8_t>(tag));
}

void AboutPage::ShowOrientation(int orientation) {
  if (orientation < 0 || orientation >= 6) return;
  QRadioButton* radio = rotRadios_[static_cast<std::size_t>(orientation)];
  const QSignalBlocker quiet(radio);
  radio->setChecked(true);
}

}  // namespace lumera
