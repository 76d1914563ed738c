// The virtual devices' time line: plug steps and the battery, charge and phone steps, what is
// refused with a reason, and what each step does to the device.
#include <gtest/gtest.h>

#include "sim/plug_script.h"
#include "sim/sim_devices.h"

namespace md::sim {
namespace {

TEST(PlugScript, StepsAndTheirValues) {
    std::vector<PlugStep> steps;
    std::string error;
    ASSERT_TRUE(parsePlugScript(
        "6000 phone mousepad 1, 2000 battery mouse 9; 4000 charge mouse on;100 unplug mouse;"
        " 4500 charge mouse off",
        steps, error))
        << error;
    ASSERT_EQ(steps.size(), 5u);
    EXPECT_EQ(steps[0].action, "unplug");
    EXPECT_EQ(steps[1].action, "battery");
    EXPECT_EQ(steps[1].value, 9);
    EXPECT_EQ(steps[2].value, 1);  // charging
    EXPECT_EQ(steps[3].value, 2);  // on battery
    EXPECT_EQ(steps[4].device, "mousepad");
    EXPECT_EQ(steps[4].value, 1);
}

TEST(PlugScript, MalformedStepsAreRefusedWithTheirReason) {
    struct Case {
        const char* script;
        const char* reason;
    };
    const Case cases[] = {
        {"soon unplug mouse", "time in milliseconds"},
        {"10 melt mouse", "battery DEVICE 0-100"},
        {"10 battery mouse", "percentage"},
        {"10 battery mouse 101", "percentage"},
        {"10 battery mouse 5%", "percentage"},
        {"10 charge mouse maybe", "on or off"},
        {"10 phone mousepad 4", "phone type"},
        {"10 unplug mouse now", "more than it needs"},
        {"-5 plug mouse", "MS ACTION DEVICE"},
    };
    for (const Case& c : cases) {
        std::vector<PlugStep> steps;
        std::string error;
        EXPECT_FALSE(parsePlugScript(c.script, steps, error)) << c.script;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.script << ": " << error;
    }
}

TEST(PlugScript, StepsChangeThePowerStatusTheDeviceReports) {
    auto bus = makeVirtualBus({"mouse", "mousepad"}, "");
    ASSERT_TRUE(bus);
    std::vector<PlugStep> steps;
    std::string error;
    ASSERT_TRUE(
        parsePlugScript("0 battery mouse 9; 1 charge mouse on; 2 phone mousepad 2; "
                        "3 unplug mousepad",
                        steps, error));
    const auto pad = bus->device("mousepad");
    for (const PlugStep& s : steps) applyPlugStep(*bus, bus->device(s.device), s);
    EXPECT_EQ(pad->firmware().powerStatus()[5], 2);
    const auto mouse = bus->device("mouse")->firmware().powerStatus();
    EXPECT_EQ(mouse[0], 9);
    EXPECT_EQ(mouse[1], 1);
    EXPECT_EQ(bus->device("mouse")->firmware().powerStatus()[0], 9);
    // The pad was unplugged last: the bus no longer has it; its charger kept the phone.
    EXPECT_EQ(bus->device("mousepad"), nullptr);
}

}  // namespace
}  // namespace md::sim
