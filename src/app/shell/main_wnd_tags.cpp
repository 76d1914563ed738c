// The layout tags of the main window: its device pages' classes and the sub-trees that have
// their own layout files.
#include "app/shell/main_wnd.h"
#include "ui/layout_tag_table.h"

namespace md {

const LayoutTagTable& CMainWnd::layoutTags() {
    static const LayoutTagTable table = [] {
        LayoutTagTable t;
        const char* const classes[][2] = {
            {"CircleProgress", "CCircleProgressUI"},
            {"SelectPanel", "CSelectPanelUI"},
            {"DeviceKeyButton", "CDeviceKeyButtonUI"},
            {"HandImgButton", "CHandImgButtonUI"},
            {"HandImgSelectButton", "CHandImgSelectButtonUI"},
            {"RedioMacroButton", "CRedioMacroButtonUI"},
            {"ComboEditContainerElement", "CComboEditContainerElementUI"},
            {"ColorPalette", "CColorPaletteUI"},
            {"OrrivaleMousePadDevice", "COrrivaleMousePadDevice"},
            {"OrrivaleHS6533Device", "COrrivaleHS6533Device"},
            {"OrrivaleMouseDevice", "COrrivaleMouseDevice"},
            {"OrrivaleKeyboardDevice", "COrrivaleKeyboardDevice"},
            {"DeviceProfile", "CDeviceProfileUI"},
            {"LightControl", "CLightControlUI"},
            {"MagicControl", "CMagicControlUI"},
            {"Voice6533Control", "CVoice6533ControlUI"},
            {"KeySetControl", "CKeySetControlUI"},
            {"ShootControl", "CShootControlUI"},
        };
        for (const auto& c : classes) t.addClass(c[0], c[1]);
        const char* const subTrees[][2] = {
            {"DeviceProfileUI", "XML/CustomControlXML/DeviceProfile.xml"},
            {"LightSetControlUI", "XML/CustomControlXML/LightControl.xml"},
            {"Voice6533SetControlUI", "XML/CustomControlXML/Voice6533Control.xml"},
            {"MagicSetControlUI", "XML/CustomControlXML/MagicControl.xml"},
            {"KeySetControlUI", "XML/CustomControlXML/KeySetControl.xml"},
            {"MacroSetControlUI", "XML/CustomControlXML/MacroControl.xml"},
            {"ShootKeySetControlUI", "XML/CustomControlXML/ShootControl.xml"},
            {"VirtualSetControlUI", "XML/CustomControlXML/VirtualSet.xml"},
        };
        for (const auto& s : subTrees) t.addSubTree(s[0], s[1]);
        return t;
    }();
    return table;
}

}  // namespace md
