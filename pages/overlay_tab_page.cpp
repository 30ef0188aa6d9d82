#include "pages/overlay_tab_page.h"

#include "app/main_form.h"
#include "conversation/model_family.h"

namespace lumera {

void OverlayTabPage::Show() {
  const Family family = FamilyOf(form_.Session().ModelByte);
  form_.TabRefresh([] {}, family == Family::U || (onFamilyM_ && family == Family::M));
}

}  // namespace lumera
