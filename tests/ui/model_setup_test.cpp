#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QRadioButton>

#include "app/ip_address_edit.h"
#include "app/main_form.h"
#include "support/fake_message_boxes.h"
#include "support/recording_pauser.h"

namespace lumera {
namespace {

class ModelSetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TMainForm>(std::vector<std::string>{}, messages, pauser);
    form->show();
  }
  template <typename T>
  T* Find(const char* name) {
    return form->findChild<T*>(name);
  }
  test::FakeMessageBoxes messages;
  test::RecordingPauser pauser;
  std::unique_ptr<TMainForm> form;
};

TEST_F(ModelSetupTest, SecondFamilyLayoutAndBack) {
  auto* firmware = Find<QGroupBox>("GBFirmware");
  auto* net2 = Find<QGroupBox>("GBNET2");
  auto* panel = Find<QWidget>("K712Control");
  form->Session().LinkMode = LinkMode::SecondFamily;
  form->LayoutForSecondFamily(true);
  EXPECT_EQ(firmware->parentWidget(), panel);
  EXPECT_EQ(firmware->pos(), QPoint(net2->x(), net2->y() + net2->height() + 2));
  EXPECT_TRUE(panel->isVisible());
  EXPECT_FALSE(Find<QWidget>("GBLum")->isVisible());
  EXPECT_FALSE(Find<QWidget>("BtnFrame")->isVisible());
  EXPECT_EQ(panel->pos(), Find<QWidget>("GBLum")->pos());
  EXPECT_EQ(form->width(), Find<QWidget>("BtnFrame")->x() + 2);

  form->Session().LinkMode = LinkMode::Normal;
  form->LayoutForSecondFamily(false);
  EXPECT_EQ(firmware->parentWidget(), form->PageWidget(kPageFirmware));
  EXPECT_EQ(firmware->pos(), QPoint(8, 6));
  EXPECT_FALSE(panel->isVisible());
  EXPECT_TRUE(Find<QWidget>("GBLum")->isVisible());
  EXPECT_EQ(form->width(), 858);
}

TEST_F(ModelSetupTest, NetworkInfoFillsTheEthernetEntries) {
  uint8_t* net = form->Session().Image.NetworkInfo.Data();
  const uint8_t staticInfo[16] = {0, 0, 0, 0, 10, 0, 0, 42, 255, 255, 0, 0, 10, 0, 0, 1};
  std::memcpy(net, staticInfo, 16);
  form->ShowNetworkInfo();
  EXPECT_TRUE(Find<QRadioButton>("RBSTATICIP")->isChecked());
  EXPECT_EQ(Find<TIpAddressEdit>("IPEditNet")->Text(), "10.0.0.42");
  EXPECT_EQ(Find<TIpAddressEdit>("MaskEditNet")->Text(), "255.255.0.0");
  EXPECT_EQ(Find<TIpAddressEdit>("GatewayEditNet")->Text(), "10.0.0.1");
  EXPECT_TRUE(Find<TIpAddressEdit>("IPEditNet")->isEnabled());
  net[0] = 1;
  form->ShowNetworkInfo();
  EXPECT_TRUE(Find<QRadioButton>("RBDHCP")->isChecked());
  EXPECT_FALSE(Find<TIpAddressEdit>("GatewayEditNet")->isEnabled());
}

}  // namespace
}  // namespace lumera
