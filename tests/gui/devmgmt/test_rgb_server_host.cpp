// Other lighting programs drive the four virtual devices through the lighting server: a
// protocol client written from the documentation lists them with their LEDs, lights each one
// with its own colours (which reach the devices' frames), and picks a device's own mode, which
// is written and saved as the lighting panel does it.
#include <poll.h>

#include <QCoreApplication>
#include <algorithm>
#include <memory>

#include "../../rgb_server/rgb_test_client.h"
#include "app/services/rgb_server_host.h"
#include "devices/base/device_driver.h"
#include "devices/device_registry.h"
#include "devmgmt_fixture.h"
#include "pages/base/orrivale_usb_device.h"
#include "profiles/basic_profiledata.h"

namespace md::test {
namespace {

using md::test::RgbTestClient;

class RgbServerHostTest : public DeviceManagementTest {
  protected:
    void SetUp() override {
        labels = {"mouse", "keyboard", "mousepad", "headset"};
        DeviceManagementTest::SetUp();
        start();
        ASSERT_TRUE(waitFor([&] {
            int attached = 0;
            for (int i = 0; i < manager->tileCount(); ++i) {
                COrrivaleUSBDevice* m = manager->model(i);
                if (m && m->session().isOpen() && m->driver() &&
                    manager->tile(i)->attachCount() >= 1)
                    ++attached;
            }
            return attached == 4;
        }));
        server = std::make_unique<RgbServerHost>(*manager);
        std::string why;
        ASSERT_TRUE(server->start("", 0, &why)) << why;
    }
    void TearDown() override {
        server.reset();
        DeviceManagementTest::TearDown();
    }
    // A client of protocol 4 that lists the controllers.
    std::vector<ParsedController> list(RgbTestClient& c) {
        std::vector<uint8_t> v;
        RgbTestClient::put32(v, 4);
        c.send(0, rgb::kRequestProtocolVersion, v);
        EXPECT_TRUE(c.readId(rgb::kRequestProtocolVersion));
        c.send(0, rgb::kRequestControllerCount);
        const auto n = c.readId(rgb::kRequestControllerCount);
        std::vector<ParsedController> out;
        for (uint32_t i = 0; n && i < RgbTestClient::u32(n->data); ++i) {
            c.send(i, rgb::kRequestControllerData, v);
            const auto r = c.readId(rgb::kRequestControllerData);
            if (r) out.push_back(parseControllerBlock(r->data, 4));
        }
        return out;
    }
    COrrivaleUSBDevice* modelNamed(const char* name) {
        for (int i = 0; i < manager->tileCount(); ++i) {
            COrrivaleUSBDevice* m = manager->model(i);
            if (m && m->driver() && std::string(m->driver()->model().name) == name) return m;
        }
        return nullptr;
    }
    // Lets queued calls (page indicator, mode commits) run until pred holds.
    bool settle(const std::function<bool()>& pred) { return waitFor(pred); }

    std::unique_ptr<RgbServerHost> server;
};

TEST_F(RgbServerHostTest, ListsTheFourDevicesAndTheirColoursReachTheFrames) {
    RgbTestClient client(server->port());
    ASSERT_TRUE(client.connected());
    const std::string name = "Desk sync";
    client.send(0, rgb::kSetClientName, std::vector<uint8_t>(name.begin(), name.end() + 1));
    const std::vector<ParsedController> controllers = list(client);
    ASSERT_EQ(controllers.size(), 4u);
    struct Expect {
        int32_t type;
        const char* model;
        size_t leds;
        const char* device;
    };
    const Expect expect[] = {{rgb::kTypeMouse, "mouse", 6, "mouse"},
                             {rgb::kTypeKeyboard, "keyboard", 126, "keyboard"},
                             {rgb::kTypeMousemat, "mousepad", 15, "mousepad"},
                             {rgb::kTypeHeadset, "headset", 13, "headset"}};
    for (const Expect& e : expect) {
        const auto it = std::find_if(controllers.begin(), controllers.end(),
                                     [&](const ParsedController& c) { return c.type == e.type; });
        ASSERT_NE(it, controllers.end()) << e.model;
        const uint32_t index = uint32_t(it - controllers.begin());
        EXPECT_TRUE(it->complete) << e.model;
        EXPECT_EQ(it->leds.size(), e.leds) << e.model;
        EXPECT_EQ(it->modes.at(0).name, "Direct") << e.model;
        // Colours of its own for every LED: red = LED number, green = a mark of the device.
        std::vector<uint32_t> colours;
        for (size_t i = 0; i < e.leds; ++i)
            colours.push_back(uint32_t(i + 1) | uint32_t(0x40 + index) << 8 | 0x800000u);
        client.send(index, rgb::kSetCustomMode);
        client.send(index, rgb::kUpdateLeds, updateLedsData(colours));
        sim::Firmware& fw = bus->device(e.device)->firmware();
        const auto scaled = [](uint32_t v) { return uint8_t((v * 0xFF) >> 8); };
        if (e.type == rgb::kTypeHeadset) {
            // Blue for the second target goes out last.
            ASSERT_TRUE(settle([&] {
                return fw.headsetLeds(0x22)[12].r == scaled(13) &&
                       fw.headsetLeds(0x44)[12].b == std::min(scaled(0x80), uint8_t(247));
            }));
            for (size_t i = 0; i < e.leds; ++i) {
                EXPECT_EQ(fw.headsetLeds(0x22)[i].r, scaled(uint32_t(i + 1))) << i;
                EXPECT_EQ(fw.headsetLeds(0x22)[i].g, scaled(0x40 + index)) << i;
                EXPECT_EQ(fw.headsetLeds(0x22)[i].b, std::min(scaled(0x80), uint8_t(247)));
            }
        } else {
            ASSERT_TRUE(settle([&] {
                const auto f = fw.ledFrame();
                return f.size() >= 3 * e.leds && f[3 * (e.leds - 1)] == scaled(uint32_t(e.leds));
            })) << e.model;
            const std::vector<uint8_t> frame = fw.ledFrame();
            for (size_t i = 0; i < e.leds; ++i) {
                EXPECT_EQ(frame[3 * i], scaled(uint32_t(i + 1))) << e.model << " LED " << i;
                EXPECT_EQ(frame[3 * i + 1], scaled(0x40 + index)) << e.model << " LED " << i;
                EXPECT_EQ(frame[3 * i + 2], scaled(0x80)) << e.model << " LED " << i;
            }
        }
        // The page names the program that lights it.
        COrrivaleUSBDevice* page = modelNamed(e.model);
        ASSERT_TRUE(page);
        EXPECT_TRUE(settle([&] { return page->clientLighting() == "Desk sync"; })) << e.model;
    }
}

TEST_F(RgbServerHostTest, AModeChosenByAClientIsWrittenAndSavedAsThePanelDoesIt) {
    RgbTestClient client(server->port());
    const std::vector<ParsedController> controllers = list(client);
    const auto pad =
        std::find_if(controllers.begin(), controllers.end(),
                     [](const ParsedController& c) { return c.type == rgb::kTypeMousemat; });
    ASSERT_NE(pad, controllers.end());
    const uint32_t index = uint32_t(pad - controllers.begin());
    // The pad's steady mode (its own mode 3) in green.
    const auto steady = std::find_if(pad->modes.begin(), pad->modes.end(),
                                     [](const ParsedMode& m) { return m.value == 3; });
    ASSERT_NE(steady, pad->modes.end());
    ParsedMode m = *steady;
    m.colours = {0x00FF00};
    m.colourMode = rgb::kColourModeSpecific;
    client.send(index, rgb::kUpdateMode,
                modeUpdateData(int32_t(steady - pad->modes.begin()), m, 4));
    COrrivaleUSBDevice* page = modelNamed("mousepad");
    sim::Firmware& fw = bus->device("mousepad")->firmware();
    ASSERT_TRUE(settle([&] {
        const auto b = fw.configBlock(0);
        return b.size() > 8 && b[1] == 3 && b[7] == 0xFF;
    }));
    const std::vector<uint8_t> viaClient = fw.configBlock(0);
    // The profile keeps it.
    CBasicProfiledata saved;
    saved.loadNode(page->driver()->profile().getProfilePath());
    EXPECT_EQ(saved.readLightInfo().mode, 3);
    EXPECT_EQ(saved.readLightInfo().green, 0xFF);
    // The panel's path with the same lighting writes the same block.
    page->commitLighting(page->driver()->lightingMode());
    EXPECT_EQ(fw.configBlock(0), viaClient);
    EXPECT_TRUE(page->clientLighting().isEmpty());
}

TEST_F(RgbServerHostTest, ClientsHearWhenADeviceLeaves) {
    RgbTestClient client(server->port());
    ASSERT_EQ(list(client).size(), 4u);
    bus->unplug(bus->device("headset"));
    ASSERT_TRUE(waitFor([&] {
        pollfd p{client.fd(), POLLIN, 0};
        return ::poll(&p, 1, 0) > 0;
    }));
    EXPECT_TRUE(client.readId(rgb::kDeviceListUpdated));
    EXPECT_EQ(list(client).size(), 3u);
}

}  // namespace
}  // namespace md::test
