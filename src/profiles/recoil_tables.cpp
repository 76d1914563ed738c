#include "profiles/recoil_tables.h"

#include <algorithm>
#include <charconv>

#include "profiles/json_file_io.h"

namespace md {
namespace {

Json::Value moveEvent(int type, bool down, int button, int delay) {
    Json::Value e(Json::objectValue);
    e["Action"] = down ? "down" : "up";
    e["Button"] = button;
    e["Delay"] = delay;
    e["Type"] = type;
    return e;
}

int integerOf(const Json::Value& v) {
    if (v.isIntegral()) return int(std::clamp<Json::Int64>(v.asInt64(), INT32_MIN, INT32_MAX));
    if (v.isString()) {
        int out = 0;
        const std::string s = v.asString();
        std::from_chars(s.data(), s.data() + s.size(), out);
        return out;
    }
    return 0;
}

bool isTable(const Json::Value& doc) {
    if (!doc.isObject() || !doc["Events"].isArray()) return false;
    const Json::Value& events = doc["Events"];
    if (events.size() != RecoilTables::kBullets * RecoilTables::kEventsPerBullet) return false;
    return std::all_of(events.begin(), events.end(), [](const Json::Value& e) {
        return e.isObject() && e["Action"].isString() && !e["Type"].isNull();
    });
}

}  // namespace

RecoilTables::RecoilTables(std::string userFolder, std::string defaultFolder)
    : m_user(std::move(userFolder)), m_default(std::move(defaultFolder)) {}

int RecoilTables::clampGun(int gun) {
    return std::clamp(gun, 0, kGuns - 1);
}

std::string RecoilTables::fileName(int gun) {
    return "ShootData_" + std::to_string(clampGun(gun)) + ".Shoot";
}

std::string RecoilTables::userPath(int gun) const {
    return m_user + fileName(gun);
}

std::string RecoilTables::defaultPath(int gun) const {
    return m_default + fileName(gun);
}

int RecoilTables::fieldValue(const std::string& text, int max) {
    long long v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec == std::errc::result_out_of_range) return text.starts_with('-') ? 0 : max;
    if (r.ec != std::errc() || r.ptr != text.data() + text.size() || v < 0) return 0;
    return v > max ? max : int(v);
}

int RecoilTables::copyFile(const std::string& from, const std::string& to) {
    const JsonRead r = JsonFileIO::loadChecked(from);
    if (r.status != JsonReadStatus::Ok || !isTable(r.value)) {
        m_problem = from + (r.problem.empty() ? " is no recoil table" : " " + r.problem);
        return kUnusableFile;
    }
    if (JsonFileIO::storeJsonDocument(to, r.value) != 0) {
        m_problem = JsonFileIO::writeProblem(to);
        return kWriteFailed;
    }
    return kOk;
}

int RecoilTables::init() {
    int copied = 0;
    for (int g = 0; g < kGuns; ++g) {
        const JsonRead r = JsonFileIO::loadChecked(userPath(g));
        if (r.status == JsonReadStatus::Missing && copyFile(defaultPath(g), userPath(g)) == kOk)
            ++copied;
    }
    return copied;
}

Json::Value RecoilTables::bulletEvents(const RecoilBullet& b) {
    Json::Value events(Json::arrayValue);
    events.append(moveEvent(1, true, 1, 10));
    events.append(moveEvent(1, false, 1, 0));
    events.append(moveEvent(4, b.left, b.x, 5));
    events.append(moveEvent(5, b.up, b.y, b.delay));
    events.append(moveEvent(4, b.left, 0, 0));
    events.append(moveEvent(5, b.up, 0, 0));
    return events;
}

RecoilBullet RecoilTables::bullet(int gun, int bullet) const {
    RecoilBullet b;
    const Json::Value doc = JsonFileIO::loadJsonDocument(userPath(gun));
    const Json::Value& events = doc.isObject() ? doc["Events"] : Json::Value::nullSingleton();
    const auto at = [&](int i) -> const Json::Value& {
        return events.isArray() && Json::ArrayIndex(i) < events.size() && events[i].isObject()
                   ? events[i]
                   : Json::Value::nullSingleton();
    };
    const int base = std::clamp(bullet, 0, kBullets - 1) * kEventsPerBullet;
    const Json::Value& x = at(base + 2);
    const Json::Value& y = at(base + 3);
    b.left = x["Action"].isString() && x["Action"].asString() == "down";
    b.up = y["Action"].isString() && y["Action"].asString() == "down";
    b.x = uint8_t(std::clamp(integerOf(x["Button"]), 0, 255));
    b.y = uint8_t(std::clamp(integerOf(y["Button"]), 0, 255));
    b.delay = uint16_t(std::clamp(integerOf(y["Delay"]), 0, 65535));
    return b;
}

int RecoilTables::setBullet(int gun, int bullet, const RecoilBullet& b) {
    const std::string path = userPath(gun);
    const JsonRead r = JsonFileIO::loadChecked(path);
    if (r.status == JsonReadStatus::Damaged) {
        m_problem = path + " " + r.problem;
        return kUnusableFile;
    }
    Json::Value doc = r.value.isObject() ? r.value : Json::Value(Json::objectValue);
    Json::Value& events = doc["Events"];
    if (!events.isArray()) events = Json::Value(Json::arrayValue);
    const int base = std::clamp(bullet, 0, kBullets - 1) * kEventsPerBullet;
    // A short list is filled with zero moves up to this bullet.
    while (int(events.size()) < base + kEventsPerBullet) events.append(moveEvent(4, false, 0, 0));
    const Json::Value six = bulletEvents(b);
    for (int i = 0; i < kEventsPerBullet; ++i) events[base + i] = six[i];
    if (JsonFileIO::storeJsonDocument(path, doc) != 0) {
        m_problem = JsonFileIO::writeProblem(path);
        return kWriteFailed;
    }
    return kOk;
}

int RecoilTables::resetGun(int gun) {
    const int r = copyFile(defaultPath(gun), userPath(gun));
    return r == kUnusableFile ? kNoDefault : r;
}

int RecoilTables::importGun(int gun, const std::string& path) {
    return copyFile(path, userPath(gun));
}

int RecoilTables::exportGun(int gun, const std::string& path) {
    return copyFile(userPath(gun), path);
}

}  // namespace md
