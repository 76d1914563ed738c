#pragma once
// Type-tolerant access to JSON members. Profile files come from disk and from other people, so
// a member of the wrong type must never throw: readers see it as missing (0, false or an empty
// string), writers replace a container of the wrong type with one of the right type.

#include <json/value.h>

#include <cstdint>
#include <string>

namespace md::json {

// Largest array index a writer will create. A hostile index (for example a group number of
// two thousand million read from a file) would otherwise make the array grow until memory
// runs out.
inline constexpr Json::ArrayIndex kMaxGrowIndex = 4095;

// Member `key` of an object; a null value when v is not an object or lacks the member.
const Json::Value& member(const Json::Value& v, const char* key);
// Element `index` of an array; a null value when v is not an array or is too short.
const Json::Value& element(const Json::Value& v, Json::ArrayIndex index);

// Integer value: integers are taken in their low 32 bits, reals within range are truncated,
// booleans are 0 or 1; anything else (null, string, array, object) is 0.
int32_t toInt(const Json::Value& v);
// Boolean value: booleans as they are, numbers as "not zero"; anything else is false.
bool toBool(const Json::Value& v);
// String value: strings as they are; anything else is the empty string.
std::string toString(const Json::Value& v);

// Writable member `key` of v; v becomes an object first when it is not one.
Json::Value& objectMember(Json::Value& v, const char* key);
// Writable element `index` of v; v becomes an array first when it is not one. Returns nullptr
// when index exceeds kMaxGrowIndex and the element does not exist yet.
Json::Value* arrayElement(Json::Value& v, Json::ArrayIndex index);

}  // namespace md::json
