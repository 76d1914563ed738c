#include <gtest/gtest.h>
#include <json/json.h>

#include <sstream>

#include "cli/cli_context.h"
#include "cli/routing.h"
#include "devlink/fake_hid_tree.h"

namespace md {
namespace {

TEST(CliList, PrintsEveryCollectionOfAFakeTree) {
    test::FakeHidTree tree;
    tree.add(0, 0x248A, 0x5B50, 0, 2, test::descriptors::kBootKeyboard);
    tree.add(1, 0x248A, 0x5B50, 1, 2, test::descriptors::kConsumerAndVendor);
    std::ostringstream out, err;
    const int rc = cli::runCli(
        {"--sysfs-root", tree.sysRoot(), "--dev-root", tree.devRoot(), "list"}, out, err);
    EXPECT_EQ(rc, 0) << err.str();
    const std::string n0 = tree.node(0), n1 = tree.node(1);
    EXPECT_EQ(out.str(), n0 +
                             "#vid_248a&pid_5b50&mi_00  vid=248a pid=5b50 if=0 col=0 page=0001 "
                             "usage=0006 in=9 out=2 feat=0\n" +
                             n1 +
                             "#vid_248a&pid_5b50&mi_01&col01  vid=248a pid=5b50 if=1 col=1 "
                             "page=000c usage=0001 in=3 out=0 feat=0\n" +
                             n1 +
                             "#vid_248a&pid_5b50&mi_01&col02  vid=248a pid=5b50 if=1 col=2 "
                             "page=ff1c usage=0092 in=65 out=65 feat=0\n");
    EXPECT_EQ(tree.opens(), 0);

    std::ostringstream js;
    ASSERT_EQ(cli::runCli(
                  {"--sysfs-root", tree.sysRoot(), "--dev-root", tree.devRoot(), "--json", "list"},
                  js, err),
              0);
    Json::Value v;
    std::istringstream in(js.str());
    Json::CharReaderBuilder rb;
    std::string errs;
    ASSERT_TRUE(Json::parseFromStream(rb, in, &v, &errs)) << errs;
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[2]["usagePage"].asUInt(), 0xFF1Cu);
    EXPECT_EQ(v[2]["collection"].asUInt(), 2u);
    EXPECT_EQ(v[2]["output"].asUInt(), 65u);
}

TEST(CliList, EmptyMachinePrintsNothingAndBadArgumentsExitTwo) {
    test::FakeHidTree tree;
    std::ostringstream out, err;
    EXPECT_EQ(cli::runCli({"--sysfs-root", tree.sysRoot(), "list"}, out, err), 0);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(cli::runCli({"--sysfs-root", "/nonexistent/sys", "list"}, out, err), 0);
    EXPECT_EQ(cli::runCli({"list", "extra"}, out, err), 2);
    EXPECT_EQ(cli::runCli({"--bogus", "list"}, out, err), 2);
    EXPECT_EQ(cli::runCli({"frobnicate"}, out, err), 2);
    EXPECT_EQ(cli::runCli({"--sysfs-root"}, out, err), 2);
    EXPECT_EQ(cli::runCli({}, out, err), 2);
}

// A wrong command line is told in one line that points to --help, never the whole usage.
TEST(CliList, ArgumentErrorsAreOneLineAndVersionAnswers) {
    struct Case {
        std::vector<std::string> argv;
        const char* line;
    };
    const Case cases[] = {
        {{"--bogus", "list"},
         "mouse-driver-cli: unknown option --bogus (try mouse-driver-cli --help)\n"},
        {{"list", "--device"},
         "mouse-driver-cli: option --device needs a value (try mouse-driver-cli --help)\n"},
        {{"frobnicate"},
         "mouse-driver-cli: unknown verb 'frobnicate' (try mouse-driver-cli --help)\n"},
        {{}, "mouse-driver-cli: no verb given (try mouse-driver-cli --help)\n"},
    };
    for (const Case& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(cli::runCli(c.argv, out, err), 2);
        EXPECT_EQ(err.str(), c.line);
        EXPECT_EQ(out.str(), "");
    }
    std::ostringstream out, err;
    EXPECT_EQ(cli::runCli({"--version"}, out, err), 0);
    EXPECT_EQ(out.str(), std::string("mouse-driver-cli ") + MD_VERSION_TEXT + "\n");
    // Every option the parser takes is one the hand-over to the program knows the value of.
    EXPECT_TRUE(cli::routesToApplication({"--device", "keyboard", "settings"}));
    EXPECT_FALSE(cli::routesToApplication({"--version"}));
}

}  // namespace
}  // namespace md
