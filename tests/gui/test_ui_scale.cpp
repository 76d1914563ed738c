#include <gtest/gtest.h>

#include "app/shell/ui_scale.h"

namespace md {

TEST(UiScale, MonitorRule) {
    struct Case {
        int w, h, scale;
    };
    const Case cases[] = {{1920, 1080, 144}, {1440, 900, 96}, {1600, 960, 96},  {1501, 961, 144},
                          {1500, 1200, 96},  {0, 0, 96},      {3840, 2160, 144}};
    for (const Case& c : cases) EXPECT_EQ(monitorUiScale(c.w, c.h), c.scale) << c.w << "x" << c.h;
}

TEST(UiScale, OnlyKnownScalesPass) {
    for (int s : {48, 72, 96, 120, 144, 168, 192}) EXPECT_EQ(checkUiScale(s, "x"), s);
    for (int s : {0, 95, 100, 200, -96}) EXPECT_EQ(checkUiScale(s, "x"), 96);
}

}  // namespace md
