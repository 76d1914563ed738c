// Fuzzes the macro/recoil event files and the image built from them: any "Events" document packs
// into an image that decodes back to the same events; the decoder also takes the raw input as
// device memory and must not read outside it.
#include <json/json.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "devices/memory_image/memory_image.h"
#include "fuzz_entry.h"
#include "sim/image_decoder.h"

MD_FUZZ_ENTRY(memory_image, data, size) {
    const std::span<const uint8_t> bytes(data, size);
    md::sim::decodeMemoryImage(bytes);

    Json::CharReaderBuilder builder;
    builder["allowComments"] = true;
    builder["stackLimit"] = 200;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value doc;
    std::string errors;
    const char* begin = reinterpret_cast<const char*>(data);
    bool parsed = false;
    try {
        parsed = reader->parse(begin, begin + size, &doc, &errors);
    } catch (const std::exception&) {
        parsed = false;  // jsoncpp throws on excessive nesting; files read elsewhere catch it too
    }
    if (!parsed || !doc.isObject()) return 0;
    const md::memimg::EntryEvents events = md::memimg::packEvents(doc["Events"]);
    const std::vector<md::memimg::EntryEvents> entries = {events, events};
    const std::vector<uint8_t> image = md::memimg::buildImage(entries);
    if (image.empty()) return 0;  // too large to describe
    if (image.size() != md::memimg::imageLength(entries)) __builtin_trap();
    const md::sim::DecodedImage decoded = md::sim::decodeMemoryImage(image);
    if (!decoded.valid || decoded.entries.size() != 2) __builtin_trap();
    if (decoded.entries[0].events.size() * md::memimg::kEventSize != events.size())
        __builtin_trap();
    return 0;
}
