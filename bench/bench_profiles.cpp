// Profile persistence: what one key change costs the keyboard model (load the profile, change
// one key, save it).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <json/reader.h>

#include "profiles/json_file_io.h"
#include "profiles/keyboard_profiledata.h"

namespace md {
namespace {

// A keyboard profile with 126 keys and three custom colour groups of 126 colours each.
Json::Value keyboardProfile() {
    Json::Value doc;
    doc["profilename"] = "bench";
    doc["profileUUID"] = "bench";
    Json::Value& node = doc["Device"][0];
    for (Json::ArrayIndex k = 0; k < 126; ++k) {
        node["KeyList"][k]["Assignment"] = 0x200004 + static_cast<int>(k);
        node["KeyList"][k]["DefaultAssignment"] = 0x200004 + static_cast<int>(k);
        node["LightList"][k] = Json::Value();
    }
    for (Json::ArrayIndex g = 0; g < 3; ++g) {
        for (Json::ArrayIndex k = 0; k < 126; ++k) {
            Json::Value& c = node["CustomLightMode"]["LightColorInfo"][g][k];
            c["Red"] = static_cast<int>(k * 2);
            c["Green"] = static_cast<int>(g * 80);
            c["Blue"] = 255 - static_cast<int>(k * 2);
            c["Alpha"] = 255;
        }
    }
    node["CustomLightMode"]["CustomLightModeGroupIndex"] = 1;
    node["LightInfo"]["SelectItem"] = 4;
    node["SystemStages"]["PollingRate"] = 3;
    return doc;
}

class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "md_bench_XXXXXX").string();
        std::vector<char> buf(pattern.begin(), pattern.end());
        buf.push_back('\0');
        if (::mkdtemp(buf.data())) m_path = std::string(buf.data()) + "/";
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::string& path() const { return m_path; }

  private:
    std::string m_path;
};

void BM_KeyboardProfileLoadChangeKeySave(benchmark::State& state) {
    ScratchFolder dir;
    const std::string path = dir.path() + "bench.Json";
    JsonFileIO::storeJsonDocument(path, keyboardProfile());
    uint8_t code = 0;
    for (auto _ : state) {
        CKeyboardProfiledata kb;
        kb.setProfilePath(path);
        kb.loadNode(path);
        std::vector<KeyBinding> keys = kb.readKeyList();
        kb.readCustomColours(kb.getCustomGroupIndex(), 126);
        keys[50].assignment = {0x20, 0x00, ++code};
        kb.writeKeyList(keys);
        if (!kb.save()) state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_KeyboardProfileLoadChangeKeySave)->Unit(benchmark::kMicrosecond);

// The same without the disk: parse and styled text of the document only.
void BM_KeyboardProfileParseAndFormat(benchmark::State& state) {
    const std::string text = JsonFileIO::styledText(keyboardProfile());
    for (auto _ : state) {
        Json::Value doc;
        Json::Reader reader;
        reader.parse(text, doc, true);
        doc["Device"][0]["KeyList"][50]["Assignment"] = 0x200005;
        benchmark::DoNotOptimize(JsonFileIO::styledText(doc));
    }
}
BENCHMARK(BM_KeyboardProfileParseAndFormat)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace md
