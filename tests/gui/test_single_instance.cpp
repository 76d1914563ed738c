#include <gtest/gtest.h>

#include "app/services/single_instance.h"
#include "gui_test_support.h"

namespace md {

TEST(SingleInstance, LocalSocketFallbackActivatesTheFirst) {
    const QString name = test::freshFolder("instance") + "md.sock";
    SingleInstance first(nullptr, SingleInstance::Mode::LocalOnly, name);
    int activations = 0;
    QObject::connect(&first, &SingleInstance::activationRequested, [&] { ++activations; });
    ASSERT_EQ(first.acquire(), SingleInstance::Role::Primary);
    EXPECT_EQ(first.service(), nullptr);

    SingleInstance second(nullptr, SingleInstance::Mode::LocalOnly, name);
    EXPECT_EQ(second.acquire(), SingleInstance::Role::Secondary);
    EXPECT_TRUE(test::waitFor([&] { return activations == 1; }));
}

}  // namespace md
