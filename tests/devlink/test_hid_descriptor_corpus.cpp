// The parser against report descriptors recorded from real devices, with collections and
// report lengths summarised independently.
#include <gtest/gtest.h>
#include <json/json.h>

#include <fstream>

#include "devlink/hid/hid_descriptor.h"
#include "devlink/hid_test_data.h"

namespace md {
namespace {

TEST(HidDescriptorCorpus, AgreesWithEveryRecordedDescriptor) {
    const auto dir = test::hidTestDataDir();
    std::ifstream in(dir / "expected.json");
    if (!in) GTEST_SKIP() << "shared test data not present";
    Json::Value expected;
    Json::CharReaderBuilder rb;
    std::string errs;
    ASSERT_TRUE(Json::parseFromStream(rb, in, &expected, &errs)) << errs;
    ASSERT_GT(expected.size(), 0u);

    for (const auto& e : expected) {
        const std::string file = e["file"].asString();
        SCOPED_TRACE(file);
        const auto bytes = test::readRecordedDescriptor(dir / file);
        ASSERT_EQ(bytes.size(), e["length"].asUInt());
        const HidDescriptor d = parseHidDescriptor(bytes);
        EXPECT_EQ(d.usesReportIds, e["uses_report_ids"].asBool());
        ASSERT_EQ(d.collections.size(), e["tlcs"].size());
        EXPECT_EQ(countTopLevelCollections(bytes), e["tlcs"].size());
        for (Json::ArrayIndex i = 0; i < e["tlcs"].size(); ++i) {
            SCOPED_TRACE("collection " + std::to_string(i));
            const Json::Value& t = e["tlcs"][i];
            const HidCollectionInfo& c = d.collections[i];
            EXPECT_TRUE(c.usable) << c.error;
            EXPECT_EQ(c.caps.usagePage, t["usage_page"].asUInt());
            EXPECT_EQ(c.caps.usage, t["usage"].asUInt());
            const Json::Value& w = t["win_caps"];
            EXPECT_EQ(c.caps.inputReportByteLength, w["InputReportByteLength"].asUInt());
            EXPECT_EQ(c.caps.outputReportByteLength, w["OutputReportByteLength"].asUInt());
            EXPECT_EQ(c.caps.featureReportByteLength, w["FeatureReportByteLength"].asUInt());
            const char* kinds[] = {"input", "output", "feature"};
            for (size_t k = 0; k < 3; ++k) {
                std::vector<unsigned> want, got;
                for (const auto& id : t["report_ids"][kinds[k]]) want.push_back(id.asUInt());
                for (unsigned id = 0; id < 256; ++id) {
                    if (c.reportIds[k].test(id)) got.push_back(id);
                }
                std::sort(want.begin(), want.end());
                EXPECT_EQ(got, want) << kinds[k];
            }
        }
    }
}

}  // namespace
}  // namespace md
