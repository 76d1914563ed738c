#pragma once
// A device's profile: the device node of one profile file held in memory, with typed readers
// and writers for the sections every device kind has (lighting, light list, key list).
// Writers change the node in memory only; save() puts it into the profile file.

#include <json/value.h>

#include <cstdint>
#include <string>
#include <vector>

#include "profiles/profile_records.h"

namespace md {

class CBasicProfiledata {
  public:
    CBasicProfiledata() = default;
    virtual ~CBasicProfiledata() = default;
    CBasicProfiledata(const CBasicProfiledata&) = delete;
    CBasicProfiledata& operator=(const CBasicProfiledata&) = delete;

    // An empty path is ignored.
    void setProfilePath(const std::string& path);
    const std::string& getProfilePath() const { return m_profilePath; }
    // An empty path is ignored.
    void setDefaultPath(const std::string& path);
    const std::string& getDefaultPath() const { return m_defaultPath; }
    void setLightListPath(const std::string& path) { m_lightListPath = path; }
    const std::string& getLightListPath() const { return m_lightListPath; }
    // Index of the device node inside "Device".
    void setDeviceIndex(int32_t index) { m_deviceIndex = index; }
    int32_t deviceIndex() const { return m_deviceIndex; }

    // Loads the device node of the profile file at path. A file without one (or without a
    // usable one) gets the default template's node and is written back, which also creates a
    // missing file. Returns a copy of the node.
    // A file that exists but is damaged (no regular file, unreadable, no JSON) is not touched:
    // the template's node stands in, damaged() is true and saving it is refused.
    Json::Value loadNode(const std::string& path);
    bool damaged() const { return !m_damagedPath.empty(); }
    // Why the last load or save failed, naming the file ("" when it did not).
    const std::string& problem() const { return m_problem; }

    // Each returns true when the file was written; a failed write keeps the old file.
    virtual bool save();
    // Puts node at "Device"[device index] of the file at path and rewrites the file; other
    // members of the file are kept.
    virtual bool saveNode(const Json::Value& node, const std::string& path);
    // Writes value as the whole file.
    virtual bool writeDocument(const Json::Value& value, const std::string& path);

    LightSetting readLightInfo();
    void writeLightInfo(uint32_t w0, uint32_t w1, uint32_t w2, uint16_t w3);
    std::vector<LightSetting> readLightList();

    Json::Value loadLightListDocument(const std::string& path);
    // The effect file of a light list entry's "Guid": "<light list folder>/<name>.light", where
    // name is the Guid's last path part; empty when that is no plain file name.
    std::string effectFilePath(const std::string& guid) const;
    // Steps of the custom light effect selected by the current lighting mode.
    std::vector<LightEffectStep> readLightEffectSteps();

    std::vector<KeyBinding> readKeyList();
    // Sets "Assignment" of the first list.size() keys; "DefaultAssignment" is never written.
    void writeKeyList(const std::vector<KeyBinding>& list);

    const Json::Value& deviceNode() const { return m_node; }
    const LightSetting& lightSetting() const { return m_lightSetting; }
    const std::vector<LightSetting>& lightList() const { return m_lightList; }
    const std::vector<LightEffectStep>& lightEffectSteps() const { return m_effectSteps; }
    const std::vector<KeyBinding>& keyBindings() const { return m_keyBindings; }

  protected:
    Json::Value& node() { return m_node; }
    // The node's section `key` when it is an object, else a null value.
    const Json::Value& section(const char* key) const;

  private:
    std::string m_profilePath;
    std::string m_defaultPath;
    LightSetting m_lightSetting;
    std::vector<LightSetting> m_lightList;
    Json::Value m_node;
    std::string m_lightListPath;
    std::vector<LightEffectStep> m_effectSteps;
    Json::Value m_lightListDocument;
    std::string m_lightListFolder;
    std::vector<KeyBinding> m_keyBindings;
    std::string m_damagedPath;
    std::string m_problem;
    int32_t m_deviceIndex = 0;
};

}  // namespace md
