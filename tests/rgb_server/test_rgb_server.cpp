// The RGB SDK server against a client written from the protocol's documentation, with a host
// of two controllers: listing in every protocol version, direct colours, mode updates, the
// device-list notice, and clients that misbehave.
#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "rgb_server/rgb_server.h"
#include "rgb_test_client.h"

namespace md::rgb {
namespace {

using test::RgbTestClient;

class FakeHost : public RgbHost {
  public:
    FakeHost() {
        Controller a;
        a.type = kTypeMouse;
        a.name = "Mouse";
        a.vendor = "Mouse Driver";
        a.location = "/dev/hidraw3";
        Mode direct;
        direct.name = "Direct";
        direct.value = -1;
        direct.flags = kHasPerLedColour;
        direct.colourMode = kColourPerLed;
        Mode steady;
        steady.name = "Steady";
        steady.value = 2;
        steady.flags = kHasBrightness | kHasModeSpecificColour;
        steady.brightnessMax = 4;
        steady.coloursMin = steady.coloursMax = 1;
        steady.colours = {0x0000FF};
        steady.colourMode = kColourModeSpecific;
        a.modes = {direct, steady};
        a.activeMode = 1;
        a.zones = {Zone{"Mouse", kZoneLinear, 3, 0, 0, {}}};
        a.leds = {"Wheel", "Logo", "Rear"};
        a.colours.assign(3, 0);
        Controller b = a;
        b.type = kTypeKeyboard;
        b.name = "Keyboard";
        b.zones = {Zone{"Keyboard", kZoneMatrix, 2, 1, 3, {0, kNoLed, 1}}};
        b.leds = {"Key: A", "Key: B"};
        b.colours.assign(2, 0);
        list = {a, b};
    }
    std::vector<Controller> controllers() override {
        std::lock_guard lock(m);
        return list;
    }
    void showColours(size_t index, std::vector<lighting::LedColour> c,
                     const std::string& client) override {
        std::lock_guard lock(m);
        shown.push_back({index, std::move(c), client});
        changed.notify_all();
    }
    void applyMode(size_t index, const Mode& mode, const Mode& described,
                   const std::string& client) override {
        std::lock_guard lock(m);
        applied.push_back({index, mode, described.value, client});
        changed.notify_all();
    }
    void clientsChanged(const std::vector<std::string>& names) override {
        std::lock_guard lock(m);
        clients = names;
        changed.notify_all();
    }
    // Waits (bounded) until pred holds under the lock.
    template <typename P>
    bool waitFor(P pred, std::chrono::seconds bound = std::chrono::seconds(5)) {
        std::unique_lock lock(m);
        return changed.wait_for(lock, bound, pred);
    }

    struct Shown {
        size_t index;
        std::vector<lighting::LedColour> colours;
        std::string client;
    };
    struct Applied {
        size_t index;
        Mode mode;
        int32_t value;
        std::string client;
    };
    std::mutex m;
    std::condition_variable changed;
    std::vector<Controller> list;
    std::vector<Shown> shown;
    std::vector<Applied> applied;
    std::vector<std::string> clients;
};

class RgbServerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(server.start("", 0, &why)) << why;
        ASSERT_NE(server.port(), 0);
    }
    // A client that agreed on protocol `version`.
    std::unique_ptr<RgbTestClient> client(uint32_t version = 4) {
        auto c = std::make_unique<RgbTestClient>(server.port());
        EXPECT_TRUE(c->connected());
        std::vector<uint8_t> v;
        RgbTestClient::put32(v, version);
        c->send(0, kRequestProtocolVersion, v);
        const auto r = c->readId(kRequestProtocolVersion);
        EXPECT_TRUE(r);
        if (r) {
            EXPECT_EQ(RgbTestClient::u32(r->data), 4u);
        }
        return c;
    }
    test::ParsedController controller(RgbTestClient& c, uint32_t index, uint32_t version) {
        std::vector<uint8_t> v;
        if (version > 0) RgbTestClient::put32(v, version);
        c.send(index, kRequestControllerData, v);
        const auto r = c.readId(kRequestControllerData);
        EXPECT_TRUE(r);
        return r ? test::parseControllerBlock(r->data, version) : test::ParsedController{};
    }

    FakeHost host;
    RgbServer server{host};
};

TEST_F(RgbServerTest, ListsTheControllersInEveryProtocolVersion) {
    for (uint32_t version = 0; version <= 4; ++version) {
        auto c = client(version);
        c->send(0, kRequestControllerCount);
        const auto count = c->readId(kRequestControllerCount);
        ASSERT_TRUE(count);
        EXPECT_EQ(RgbTestClient::u32(count->data), 2u);
        const test::ParsedController m = controller(*c, 0, version);
        EXPECT_TRUE(m.complete) << "version " << version;
        EXPECT_EQ(m.type, kTypeMouse);
        EXPECT_EQ(m.name, "Mouse");
        EXPECT_EQ(m.vendor, version >= 1 ? "Mouse Driver" : "");
        EXPECT_EQ(m.location, "/dev/hidraw3");
        ASSERT_EQ(m.modes.size(), 2u);
        EXPECT_EQ(m.modes[0].name, "Direct");
        EXPECT_EQ(m.modes[1].brightnessMax, version >= 3 ? 4u : 0u);
        EXPECT_EQ(m.modes[1].colours, std::vector<uint32_t>{0x0000FF});
        EXPECT_EQ(m.activeMode, 1);
        EXPECT_EQ(m.leds, (std::vector<std::string>{"Wheel", "Logo", "Rear"}));
        const test::ParsedController k = controller(*c, 1, version);
        EXPECT_TRUE(k.complete) << "version " << version;
        ASSERT_EQ(k.zones.size(), 1u);
        EXPECT_EQ(k.zones[0].type, kZoneMatrix);
        EXPECT_EQ(k.zones[0].height, 1u);
        EXPECT_EQ(k.zones[0].width, 3u);
        EXPECT_EQ(k.zones[0].matrix, (std::vector<uint32_t>{0, kNoLed, 1}));
    }
}

TEST_F(RgbServerTest, DirectColoursReachTheHostWithTheClientsName) {
    auto c = client();
    const std::string name = "Visualiser";
    c->send(0, kSetClientName, std::vector<uint8_t>(name.begin(), name.end() + 1));
    c->send(0, kSetCustomMode);
    c->send(0, kUpdateLeds, test::updateLedsData({0x0000FF, 0x00FF00, 0xFF0000}));
    std::vector<uint8_t> single;
    RgbTestClient::put32(single, 1);
    RgbTestClient::put32(single, 0x112233);
    c->send(0, kUpdateSingleLed, single);
    ASSERT_TRUE(host.waitFor([&] { return host.shown.size() >= 3; }));
    const auto& last = host.shown.back();
    EXPECT_EQ(last.index, 0u);
    EXPECT_EQ(last.client, "Visualiser");
    ASSERT_EQ(last.colours.size(), 3u);
    EXPECT_EQ(last.colours[0], (lighting::LedColour{0xFF, 0, 0, 0xFF}));
    EXPECT_EQ(last.colours[1], (lighting::LedColour{0x33, 0x22, 0x11, 0xFF}));
    EXPECT_EQ(last.colours[2], (lighting::LedColour{0, 0, 0xFF, 0xFF}));
    // The controller now reports Direct with those colours.
    const test::ParsedController m = controller(*c, 0, 4);
    EXPECT_EQ(m.activeMode, 0);
    EXPECT_EQ(m.colours[1], 0x112233u);
    EXPECT_TRUE(
        host.waitFor([&] { return host.clients == std::vector<std::string>{"Visualiser"}; }));
}

TEST_F(RgbServerTest, ModeUpdatesReachTheHostInTheAgreedLayout) {
    for (uint32_t version : {2u, 4u}) {
        auto c = client(version);
        test::ParsedController m = controller(*c, 0, version);
        test::ParsedMode steady = m.modes[1];
        steady.brightness = 3;
        steady.colours = {0x00FF00};
        c->send(0, kUpdateMode, test::modeUpdateData(1, steady, version));
        ASSERT_TRUE(host.waitFor([&] { return !host.applied.empty(); })) << version;
        std::lock_guard lock(host.m);
        EXPECT_EQ(host.applied.back().value, 2);
        EXPECT_EQ(host.applied.back().mode.colours, std::vector<uint32_t>{0x00FF00});
        EXPECT_EQ(host.applied.back().mode.brightness, version >= 3 ? 3u : 0u);
        host.applied.clear();
    }
}

TEST_F(RgbServerTest, EveryClientHearsThatTheDeviceListChanged) {
    auto a = client();
    auto b = client(1);
    server.deviceListChanged();
    EXPECT_TRUE(a->readId(kDeviceListUpdated));
    EXPECT_TRUE(b->readId(kDeviceListUpdated));
}

// Clients that break the rules lose their own connection at most; the server goes on serving
// the others.
TEST_F(RgbServerTest, MisbehavingClientsNeverStopTheOthers) {
    auto good = client();
    struct Case {
        const char* what;
        uint32_t device, id;
        std::vector<uint8_t> data;
        const char* magic;
        bool closed;
    };
    std::vector<uint8_t> huge;  // a header that announces 4 GiB
    const Case cases[] = {
        {"bad magic", 0, kRequestControllerCount, {}, "ORGX", true},
        {"unknown packet id", 0, 9999, {1, 2, 3}, "ORGB", false},
        {"controller out of range", 77, kRequestControllerData, {4, 0, 0, 0}, "ORGB", false},
        {"short update", 0, kUpdateLeds, {9, 0}, "ORGB", false},
        {"resize a fixed zone", 0, kResizeZone, {0, 0, 0, 0, 9, 0, 0, 0}, "ORGB", false},
    };
    for (const Case& k : cases) {
        RgbTestClient bad(server.port());
        ASSERT_TRUE(bad.send(k.device, k.id, k.data, k.magic)) << k.what;
        if (k.closed) {
            EXPECT_TRUE(bad.closedByServer()) << k.what;
        } else {
            bad.send(0, kRequestControllerCount);
            EXPECT_TRUE(bad.readId(kRequestControllerCount)) << k.what;
        }
        good->send(0, kRequestControllerCount);
        EXPECT_TRUE(good->readId(kRequestControllerCount)) << k.what;
    }
    {
        RgbTestClient bad(server.port());
        std::vector<uint8_t> p{'O', 'R', 'G', 'B'};
        RgbTestClient::put32(p, 0);
        RgbTestClient::put32(p, kUpdateLeds);
        RgbTestClient::put32(p, 0xFFFFFFFF);
        bad.sendRaw(p);
        EXPECT_TRUE(bad.closedByServer());
    }
    EXPECT_TRUE(host.shown.empty());
    // A hundred connections: the first ones are served, the rest turned away, nothing stops.
    std::vector<std::unique_ptr<RgbTestClient>> crowd;
    for (int i = 0; i < 100; ++i) crowd.push_back(std::make_unique<RgbTestClient>(server.port()));
    good->send(0, kRequestControllerCount);
    EXPECT_TRUE(good->readId(kRequestControllerCount));
    crowd.clear();
    // A client that asks and never reads is dropped once its replies pile up; the server
    // goes on serving the others meanwhile.
    RgbTestClient greedy(server.port());
    const std::string name = "greedy";
    greedy.send(0, kSetClientName, std::vector<uint8_t>(name.begin(), name.end() + 1));
    ASSERT_TRUE(host.waitFor([&] {
        return std::find(host.clients.begin(), host.clients.end(), name) != host.clients.end();
    }));
    std::vector<uint8_t> v;
    RgbTestClient::put32(v, 4);
    for (int i = 0; i < 200000 && greedy.send(1, kRequestControllerData, v); ++i) {
    }
    EXPECT_TRUE(host.waitFor(
        [&] {
            return std::find(host.clients.begin(), host.clients.end(), name) == host.clients.end();
        },
        std::chrono::seconds(60)));
    good->send(0, kRequestControllerCount);
    EXPECT_TRUE(good->readId(kRequestControllerCount));
}

}  // namespace
}  // namespace md::rgb
