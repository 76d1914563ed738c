// The rows of the macro action list: every event has a readable name (keys, modifiers, mouse
// buttons, moves with their distance), and the name keeps its room in a narrow list.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "gui_test_support.h"
#include "panels/macro_action_delegate.h"
#include "panels/macro_action_model.h"
#include "ui/resource_manager.h"

namespace md {
namespace {

MacroEvent event(uint8_t type, uint8_t button, bool down = true) {
    MacroEvent e;
    e.type = type;
    e.button = button;
    e.down = down;
    return e;
}

TEST(MacroActionList, EveryEventHasAReadableName) {
    test::useSourceSkin();
    ResourceManager::instance().loadLanguage("lan_en.xml");
    MacroActionModel model;
    model.setEvents({event(MacroEvent::kModifier, 0x02), event(MacroEvent::kModifier, 0x10, false),
                     event(MacroEvent::kKey, 0x04), event(MacroEvent::kMouseButton, 0x01),
                     event(MacroEvent::kMouseButton, 0x10), event(MacroEvent::kMoveX, 10, true),
                     event(MacroEvent::kMoveY, 25, false), event(MacroEvent::kKey, 0xEE),
                     event(MacroEvent::kMouseButton, 0x40)});
    const QStringList expected = {"Left Shift",  "Right Ctrl",   "A",        "Left click",
                                  "Forward",     "Move left 10", "Move down 25", "Key 238",
                                  "Button 64"};
    ASSERT_EQ(model.rowCount({}), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(model.data(model.index(i), MacroActionModel::kNameRole).toString(), expected[i])
            << i;
    EXPECT_EQ(model.data(model.index(5), MacroActionModel::kActionRole).toString(), "Move");
    EXPECT_EQ(model.data(model.index(0), MacroActionModel::kActionRole).toString(), "Press");
}

TEST(MacroActionList, TheNameKeepsItsRoomInANarrowList) {
    struct Case {
        int width;
        int nameWidth;
        int atLeast;
    };
    for (const Case c :
         {Case{420, 70, 70}, Case{300, 80, 80}, Case{240, 120, 80}, Case{200, 60, 40}}) {
        SCOPED_TRACE(c.width);
        const QRect row(0, 0, c.width, MacroActionDelegate::kRowHeight);
        const auto l = MacroActionDelegate::rowLayout(row, 28, c.nameWidth);
        EXPECT_GE(l.name.width(), c.atLeast);
        // Nothing drawn over anything else, everything inside the row.
        EXPECT_LE(l.name.right(), l.chip.left());
        EXPECT_LE(l.chip.right(), l.delay.left());
        EXPECT_LE(l.delay.right(), row.right());
        EXPECT_GE(l.delay.width(), 56);  // "65535 ms" still fits
    }
}

}  // namespace
}  // namespace md
