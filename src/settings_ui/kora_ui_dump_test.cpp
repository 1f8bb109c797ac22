#include "settings_ui/kora_ui_dump.h"
#include "settings_ui/kora_ui_test_support.h"

namespace orval {
namespace {

using namespace kora_ui_testing;

class KoraUIDumpTest : public KoraUITest {};

TEST_F(KoraUIDumpTest, TreeAsText) {  // the text is rendered from the tree value
  auto control = build(Dict{{"mainKeyword", "Tray"}, {"control_type", "PopupButton"}, {"text", "Tray"},
                            {"default", "t2"},
                            {"choices", Array{Dict{{"choice", "t1"}, {"text", "Tray 1"}},
                                              Dict{{"choice", "t2"}, {"text", "Tray \"2\""}}}}},
                       nullptr, 300, 48);
  control->setEnabledByDictionary(Dict{{"t1", false}, {"t2", true}});
  control->setEnabled(false);

  EXPECT_EQ(controlTreeText(*control),
            "KORAUI (0, 0, 300, 48) keyword=\"Tray\" type=\"PopupButton\" value=\"t2\" disabled\n"
            "  TextField (24, 24, 276, 20) title=\"Tray\" disabled\n"
            "  PopUpButton (24, 0, 276, 24) value=\"Tray \\\"2\\\"\" disabled\n"
            "    - \"Tray 1\" = \"t1\" disabled\n"
            "    - \"Tray \\\"2\\\"\" = \"t2\" selected\n");
}

}  // namespace
}  // namespace orval
