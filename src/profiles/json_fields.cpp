#include "profiles/json_fields.h"

#include <cmath>
#include <limits>

namespace md::json {

namespace {
const Json::Value& nullValue() {
    static const Json::Value v;
    return v;
}
}  // namespace

const Json::Value& member(const Json::Value& v, const char* key) {
    if (!v.isObject()) return nullValue();
    const Json::Value* found = v.find(key, key + std::char_traits<char>::length(key));
    return found ? *found : nullValue();
}

const Json::Value& element(const Json::Value& v, Json::ArrayIndex index) {
    if (!v.isArray() || index >= v.size()) return nullValue();
    return v[index];
}

int32_t toInt(const Json::Value& v) {
    switch (v.type()) {
        case Json::intValue:
            return static_cast<int32_t>(static_cast<uint32_t>(v.asLargestInt()));
        case Json::uintValue:
            return static_cast<int32_t>(static_cast<uint32_t>(v.asLargestUInt()));
        case Json::realValue: {
            const double d = v.asDouble();
            if (std::isfinite(d) &&
                d > static_cast<double>(std::numeric_limits<int32_t>::min()) - 1 &&
                d < static_cast<double>(std::numeric_limits<int32_t>::max()) + 1)
                return static_cast<int32_t>(d);
            return 0;
        }
        case Json::booleanValue:
            return v.asBool() ? 1 : 0;
        default:
            return 0;
    }
}

bool toBool(const Json::Value& v) {
    switch (v.type()) {
        case Json::booleanValue:
            return v.asBool();
        case Json::intValue:
            return v.asLargestInt() != 0;
        case Json::uintValue:
            return v.asLargestUInt() != 0;
        case Json::realValue:
            return v.asDouble() != 0.0;
        default:
            return false;
    }
}

std::string toString(const Json::Value& v) {
    return v.isString() ? v.asString() : std::string();
}

Json::Value& objectMember(Json::Value& v, const char* key) {
    if (!v.isObject()) v = Json::Value(Json::objectValue);
    return v[key];
}

Json::Value* arrayElement(Json::Value& v, Json::ArrayIndex index) {
    if (!v.isArray()) v = Json::Value(Json::arrayValue);
    if (index >= v.size() && index > kMaxGrowIndex) return nullptr;
    return &v[index];
}

}  // namespace md::json
