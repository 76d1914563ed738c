#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ui/observer_impl.h"

namespace md {
namespace {
struct Param {
    int value;
};
struct Recv : ReceiverImpl<int, Param> {
    Recv(std::vector<int>& log, int tag) : log(log), tag(tag) {}
    int receive(const Param& p) override {
        log.push_back(tag * 100 + p.value);
        return 1;
    }
    std::vector<int>& log;
    int tag;
};
}  // namespace

TEST(ObserverImpl, BroadcastInKeyOrderAndReceiversLeaveWhenDestroyed) {
    auto& observer = ObserverImpl<int, Param>::instance();
    std::vector<int> log;
    auto a = std::make_unique<Recv>(log, 1);
    auto b = std::make_unique<Recv>(log, 2);
    const int ka = observer.addReceiver(a.get());
    const int kb = observer.addReceiver(b.get());
    EXPECT_LT(ka, kb);
    observer.broadcast({5});
    b.reset();
    observer.broadcast({6});
    observer.removeReceiver(a.get());
    observer.broadcast({7});
    EXPECT_EQ(log, (std::vector<int>{105, 205, 106}));
    EXPECT_EQ(observer.size(), 0u);
}

}  // namespace md
