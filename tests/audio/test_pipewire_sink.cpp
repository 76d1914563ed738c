// The headset's sink found in PipeWire's object list, so that the equaliser plays into the
// headset and never into whatever the default sink is.
#include <gtest/gtest.h>

#include "audio/pipewire_sink.h"

namespace md {
namespace {

// A device and its sink as `pw-dump` lists them; props given as SPA-JSON text.
std::string device(int id, const char* props) {
    return std::string(R"({"id":)") + std::to_string(id) +
           R"(,"type":"PipeWire:Interface:Device","info":{"props":{)" + props + "}}}";
}
std::string sink(int deviceId, const char* name, const char* mediaClass = "Audio/Sink") {
    return std::string(R"({"id":90,"type":"PipeWire:Interface:Node","info":{"props":{"device.id":)") +
           std::to_string(deviceId) + R"(,"media.class":")" + mediaClass +
           R"(","node.name":")" + name + R"("}}})";
}

TEST(PipeWireSink, TheHeadsetsSinkIsFoundByItsDevice) {
    const std::string speakers = device(40, R"("device.vendor.id":"0x8086","api.alsa.card":0)") +
                                 "," + sink(40, "alsa_output.pci-speakers");
    const std::string headset =
        device(41, R"("device.vendor.id":"0x0c76","device.product.id":"0x1630","api.alsa.card":2)");
    struct Case {
        std::string dump;
        std::optional<int> card;
        const char* expected;
    };
    const Case cases[] = {
        {"[" + speakers + "," + headset + "," + sink(41, "alsa_output.usb-headset") + "]", 2,
         "alsa_output.usb-headset"},
        // Ids without "0x", as some versions write them.
        {"[" + device(7, R"("device.vendor.id":"0c76","device.product.id":"1630")") + "," +
             sink(7, "usb-headset") + "]",
         std::nullopt, "usb-headset"},
        // A device that does not tell its ids is found by its ALSA card.
        {"[" + device(8, R"("api.alsa.card":"3")") + "," + sink(8, "by-card") + "]", 3,
         "by-card"},
        {"[" + device(8, R"("api.alsa.card":"3")") + "," + sink(8, "by-card") + "]", 1, ""},
        // Only the headset's source: no sink to play into.
        {"[" + headset + "," + sink(41, "alsa_input.usb-headset", "Audio/Source") + "]", 2, ""},
        // No headset: the default sink is not taken instead.
        {"[" + speakers + "]", std::nullopt, ""},
        {"not json", 2, ""},
        {"{}", 2, ""},
        {"[1, null, {\"type\":7}]", 2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dump);
        EXPECT_EQ(headsetSinkFromDump(c.dump, 0x0C76, 0x1630, c.card), c.expected);
    }
}

}  // namespace
}  // namespace md
