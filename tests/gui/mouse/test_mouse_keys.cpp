// Key assignments of the mouse model: the key table written to the virtual mouse, a button
// whose factory entry is missing, and macro assignments naming a missing macro.
#include <QFile>
#include <algorithm>

#include "devices/mouse/mouse_key_table.h"
#include "mouse_model_fixture.h"

namespace md::test {
namespace {

class MouseKeysTest : public MouseModelTest {
  protected:
    // Position of button b's factory entry in the mouse's key layout.
    size_t factoryPosition(size_t b) {
        const auto layout = firmware().keyLayout();
        for (size_t k = 0; k + 2 < layout.size(); k += 3)
            if (std::equal(mouseFactoryEntries()[b].begin(), mouseFactoryEntries()[b].end(),
                           layout.begin() + long(k)))
                return k / 3;
        return size_t(-1);
    }
    void assign(size_t button, std::array<uint8_t, 3> bytes) {
        auto list = model->profileData().readKeyList();
        list[button].assignment = bytes;
        model->profileData().writeKeyList(list);
        model->saveProfile();
        model->loadProfile();
    }
};

TEST_P(MouseKeysTest, AssignmentsReachTheirButtonsEntries) {
    const size_t middle = factoryPosition(2);
    ASSERT_NE(middle, size_t(-1));
    firmware().setKeyLayoutEntry(middle, {0x00, 0x00, 0x00});  // 10 04 00 is missing
    attach();
    EXPECT_EQ(model->controller().keyPositionMap()[2], kUnmappedKey);
    const size_t left = size_t(model->controller().keyPositionMap()[0]);
    assign(0, {0x10, 0x02, 0x00});
    assign(2, {0x10, 0x01, 0x00});
    ASSERT_EQ(model->writeKeyAssignments(0), 1);
    EXPECT_EQ(firmware().keyEntry(left), (std::array<uint8_t, 3>{0x10, 0x02, 0x00}));
    EXPECT_EQ(firmware().keyEntry(middle), (std::array<uint8_t, 3>{0x00, 0x00, 0x00}));
}

TEST_P(MouseKeysTest, MacroAssignmentsNamingAMissingMacroAreReset) {
    attach();
    const auto defaults = model->keyBindings()[3].defaultAssignment;
    const struct {
        const char* macroFile;  // nullptr: no macro file
        bool kept;
    } cases[] = {{nullptr, false},
                 {R"({"MacroInfo":[{},{}]})", false},
                 {R"({"MacroInfo":[{},{},{}]})", true}};
    for (const auto& c : cases) {
        QFile::remove(QString::fromStdString(model->dataFolderPath() + "macro.config"));
        if (c.macroFile) {
            QFile f(QString::fromStdString(model->dataFolderPath() + "macro.config"));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.macroFile);
        }
        assign(3, {0x70, 0x02, 0x00});  // macro number 2
        model->validateMacroKeys();
        const auto expected = c.kept ? std::array<uint8_t, 3>{0x70, 0x02, 0x00} : defaults;
        EXPECT_EQ(model->keyBindings()[3].assignment, expected)
            << (c.macroFile ? c.macroFile : "-");
        EXPECT_EQ(profileFile()->readKeyList()[3].assignment, expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Links, MouseKeysTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Receiver" : "Cable"; });

}  // namespace
}  // namespace md::test
