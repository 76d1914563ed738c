// Macro and recoil memory images: layout, the capacity rule, and writes into the virtual mouse.
#include <gtest/gtest.h>

#include <json/value.h>

#include <string>
#include <vector>

#include "device_link_helper.h"
#include "devices/memory_image/image_writer.h"
#include "devices/memory_image/memory_image.h"
#include "profiles/json_file_io.h"
#include "profiles/temp_folder.h"

namespace md::memimg {
namespace {

Json::Value event(int type, int button, const char* action, Json::Value delay) {
    Json::Value e;
    e["Type"] = type;
    e["Button"] = button;
    e["Action"] = action;
    e["Delay"] = std::move(delay);
    return e;
}

Json::Value eventsDoc(const std::vector<Json::Value>& events) {
    Json::Value doc;
    doc["Events"] = Json::Value(Json::arrayValue);
    for (const auto& e : events) doc["Events"].append(e);
    return doc;
}

// Writes "macro.config" listing the given Guids and one ".mac" per Guid with `counts[i]` events.
void writeMacros(const std::string& folder, const std::vector<std::string>& guids,
                 const std::vector<int>& counts) {
    Json::Value list;
    list["MacroInfo"] = Json::Value(Json::arrayValue);
    for (size_t i = 0; i < guids.size(); ++i) {
        Json::Value m;
        m["MacroName"] = "m" + std::to_string(i);
        m["Guid"] = guids[i];
        list["MacroInfo"].append(m);
        std::vector<Json::Value> events;
        for (int k = 0; k < counts[i]; ++k)
            events.push_back(event(10, 4 + k % 20, k % 2 ? "up" : "down", std::to_string(k * 7)));
        ASSERT_EQ(JsonFileIO::storeJsonDocument(folder + guids[i] + ".mac", eventsDoc(events)), 0);
    }
    ASSERT_EQ(JsonFileIO::storeJsonDocument(folder + "macro.config", list), 0);
}

TEST(MemoryImage, EventPacking) {
    struct Case {
        const char* name;
        Json::Value event;
        std::vector<uint8_t> bytes;
    };
    Json::Value odd;
    odd["Type"] = 0x10A;
    odd["Button"] = 300;
    odd["Action"] = 1;  // not the string "down"
    odd["Delay"] = Json::Value(Json::objectValue);
    const Case cases[] = {
        {"down", event(1, 4, "down", "300"), {0x2C, 0x01, 0x81, 0x04}},
        {"up", event(10, 0x1E, "up", "65535"), {0xFF, 0xFF, 0x0A, 0x1E}},
        // Beyond the format: its longest pause, never the low 16 bits (70000 is no 4464 ms).
        {"too long", event(9, 2, "down", "70000"), {0xFF, 0xFF, 0x89, 0x02}},
        {"negative", event(9, 2, "up", -5), {0x00, 0x00, 0x09, 0x02}},
        {"not a number", event(4, 20, "up", "abc"), {0, 0, 0x04, 20}},
        {"leading digits", event(5, 7, "down", "12ms"), {12, 0, 0x85, 7}},
        {"integer delay", event(1, 1, "up", 258), {0x02, 0x01, 0x01, 0x01}},
        {"wrong kinds", odd, {0, 0, 0x0A, 0x2C}},
    };
    for (const Case& c : cases) {
        uint8_t out[4];
        packEvent(c.event, out);
        EXPECT_EQ(std::vector<uint8_t>(out, out + 4), c.bytes) << c.name;
    }
}

TEST(MemoryImage, OneMacroWithThreeEvents) {
    const std::vector<EntryEvents> entries = {
        packEvents(eventsDoc({event(1, 4, "down", "300"), event(1, 4, "up", "20"),
                              event(10, 0x1E, "down", "0")})["Events"])};
    const std::vector<uint8_t> image = buildImage(entries);
    const std::vector<uint8_t> expected = {
        0xAA, 0x55, 34,   0,    1,  0, 0,    0,    0, 0, 0,    0,   0, 0, 0, 0,  // header
        18,   0,                                                                 // offset table
        3,    0,    0,    0,                                                     // entry: 3 events
        0x2C, 0x01, 0x81, 0x04, 20, 0, 0x01, 0x04, 0, 0, 0x8A, 0x1E};
    EXPECT_EQ(image, expected);
}

TEST(MemoryImage, RecoilImageOfMissingFilesHasFourEmptyEntries) {
    test::TempFolder dir;
    const std::vector<uint8_t> image = buildImage(loadRecoilEntries(dir.path()));
    const std::vector<uint8_t> expected = {
        0xAA, 0x55, 40, 0, 4,  0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0,  // header
        24,   0,    28, 0, 32, 0, 36, 0,                          // offsets
        0,    0,    0,  0, 0,  0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(image, expected);
}

TEST(MemoryImage, UnreadableMacroFilesGiveEmptyEntries) {
    test::TempFolder dir;
    writeMacros(dir.path(), {"2024_01_01_00_00_00_001"}, {2});
    Json::Value list = JsonFileIO::loadJsonDocument(dir.path() + "macro.config");
    Json::Value missing;
    missing["Guid"] = "2024_01_01_00_00_00_002";  // no file
    list["MacroInfo"].append(missing);
    Json::Value escaping;
    escaping["Guid"] = "../outside";  // never used as a path
    list["MacroInfo"].append(escaping);
    list["MacroInfo"].append(Json::Value(7));
    ASSERT_EQ(JsonFileIO::storeJsonDocument(dir.path() + "macro.config", list), 0);
    std::vector<EntryEvents> entries;
    ASSERT_TRUE(loadMacroEntries(dir.path(), entries));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].size(), 8u);
    EXPECT_TRUE(entries[1].empty());
    EXPECT_TRUE(entries[2].empty());
    EXPECT_TRUE(entries[3].empty());
    EXPECT_EQ(imageLength(entries), 16u + 24u + 8u);
}

TEST(MemoryImage, OverlongImageIsNotBuilt) {
    std::vector<EntryEvents> entries(4, EntryEvents(4 * 16380, 0));
    EXPECT_GT(imageLength(entries), kMaxImageLength);
    EXPECT_TRUE(buildImage(entries).empty());
}

TEST(MemoryImageWrite, CapacityAndEmptyListsWithoutDevice) {
    test::TempFolder dir;
    auto bus = sim::makeVirtualBus({"mouse"}, "");
    DeviceLink closed(bus);  // not opened: the DeviceInfo block is the caller's
    DeviceInfo info{};
    info[6] = 2;  // 256 bytes
    // Two macros with 68 events: 16 + 12 + 272 = 300 bytes, 44 over: 11 events to remove;
    // with 58 events 260 bytes, 4 over: one event is enough.
    writeMacros(dir.path(), {"a1", "a2"}, {30, 38});
    EXPECT_EQ(writeMacrosToDevice(closed, dir.path(), info), 11);
    test::TempFolder justOver;
    writeMacros(justOver.path(), {"a1", "a2"}, {29, 29});
    EXPECT_EQ(writeMacrosToDevice(closed, justOver.path(), info), 1);
    info[6] = 3;
    EXPECT_EQ(writeMacrosToDevice(closed, dir.path(), info), kWritten);

    test::TempFolder empty;
    Json::Value list;
    list["MacroInfo"] = Json::Value(Json::arrayValue);
    ASSERT_EQ(JsonFileIO::storeJsonDocument(empty.path() + "macro.config", list), 0);
    EXPECT_EQ(writeMacrosToDevice(closed, empty.path(), info), kWritten);
    test::TempFolder none;  // no macro.config at all
    EXPECT_EQ(writeMacrosToDevice(closed, none.path(), info), kWritten);
}

class ImageWriteToMouse : public test::SimMouseLinks {
  protected:
    void writeRecoilFiles() {
        for (int gun = 0; gun < 4; ++gun) {
            std::vector<Json::Value> events;
            for (int k = 0; k < 6 * (gun + 1); ++k)
                events.push_back(event(k % 2 ? 4 : 5, gun * 10 + k, k % 3 ? "down" : "up", k * 11));
            ASSERT_EQ(
                JsonFileIO::storeJsonDocument(
                    dir.path() + "ShootData_" + std::to_string(gun) + ".Shoot", eventsDoc(events)),
                0);
        }
    }
    test::TempFolder dir;
};

void expectImageEquals(const sim::DecodedImage& got, const std::vector<EntryEvents>& files) {
    ASSERT_TRUE(got.valid) << got.error;
    ASSERT_EQ(got.entries.size(), files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        ASSERT_EQ(got.entries[i].events.size() * 4, files[i].size()) << i;
        for (size_t k = 0; k < got.entries[i].events.size(); ++k) {
            const auto& e = got.entries[i].events[k];
            const uint8_t* f = &files[i][4 * k];
            EXPECT_EQ(e.delayMs, f[0] | f[1] << 8);
            EXPECT_EQ(e.type | (e.down ? 0x80 : 0), f[2]);
            EXPECT_EQ(e.button, f[3]);
        }
    }
}

TEST_F(ImageWriteToMouse, BothImagesRoundTripOverTheCable) {
    writeMacros(dir.path(), {"g1", "g2", "g3"}, {3, 0, 25});
    writeRecoilFiles();
    DeviceInfo info{};
    EXPECT_EQ(writeMacrosToDevice(*wired, dir.path(), info), kWritten);
    EXPECT_EQ(info[6], 32);  // read again from the device
    std::vector<EntryEvents> macros;
    ASSERT_TRUE(loadMacroEntries(dir.path(), macros));
    expectImageEquals(firmware().macroImage(), macros);
    const std::vector<uint8_t> image = buildImage(macros);
    const std::vector<uint8_t> memory = firmware().macroMemory();
    ASSERT_GE(memory.size(), image.size());
    EXPECT_TRUE(std::equal(image.begin(), image.end(), memory.begin()));

    EXPECT_EQ(writeShootToDevice(*wired, dir.path(), info), kWritten);
    expectImageEquals(firmware().recoilImage(), loadRecoilEntries(dir.path()));
    EXPECT_EQ(firmware().sessionsBegun(), firmware().sessionsEnded());
}

TEST_F(ImageWriteToMouse, WirelessWriteAndReachability) {
    writeMacros(dir.path(), {"w1"}, {40});
    DeviceInfo info{};
    EXPECT_EQ(writeMacrosToDevice(*wireless, dir.path(), info), kWritten);
    std::vector<EntryEvents> macros;
    ASSERT_TRUE(loadMacroEntries(dir.path(), macros));
    expectImageEquals(firmware().macroImage(), macros);

    // Switched off: nothing is read or written, and the result says "nothing written".
    writeMacros(dir.path(), {"w2"}, {5});
    firmware().setPoweredOn(false);
    receiver->log().clear();
    EXPECT_EQ(writeMacrosToDevice(*wireless, dir.path(), info), kWritten);
    EXPECT_EQ(writeShootToDevice(*wireless, dir.path(), info), kWritten);
    const auto packets = test::packetsTo(*receiver);
    ASSERT_EQ(packets.size(), 2u);  // one online check each
    EXPECT_EQ(packets[0][3], 0xAA);
    firmware().setPoweredOn(true);
    expectImageEquals(firmware().macroImage(), macros);  // the old image stays
}

TEST_F(ImageWriteToMouse, OverCapacityAndFailedWrite) {
    // 32 × 128 = 4096 bytes; 1020 events make 16 + 6 + 4080 = 4102.
    writeMacros(dir.path(), {"big"}, {1020});
    DeviceInfo info{};
    mouse->log().clear();
    EXPECT_EQ(writeMacrosToDevice(*wired, dir.path(), info), 2);
    for (const auto& p : test::packetsTo(*mouse)) EXPECT_NE(p[3], 0x15);

    writeMacros(dir.path(), {"small"}, {10});
    // Packet 1 reads DeviceInfo, 2 begins the session, 3 is the first macro packet.
    mouse->injectFault(sim::Fault::statusAt(3, 0xFF, true));
    EXPECT_EQ(writeMacrosToDevice(*wired, dir.path(), info), kFailed);
}

}  // namespace
}  // namespace md::memimg
