// The headset page's UI-thread time per frame while its lighting runs on the virtual headset
// under the usb-fs timing (the wave at the fastest speed): what the page does for a frame,
// taking the worker's colours and painting the thirteen lights of the picture. Goal: p99 at
// most 0.5 ms. The frames go to the headset from the worker meanwhile (frames_per_s).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <algorithm>
#include <chrono>
#include <thread>

#include "app/devmgmt/model_pages.h"
#include "app/shell/control_classes.h"
#include "app/shell/main_wnd.h"
#include "devices/device_registry.h"
#include "devices/headset/headset_reports.h"
#include "devlink/hid/hid_backend.h"
#include "pages/headset/orrivale_hs6533_device.h"
#include "pages/device_page_classes.h"
#include "profiles/app_paths.h"
#include "sim/sim_devices.h"
#include "ui/layout_builder.h"
#include "ui/resource_manager.h"

namespace md {
namespace {

void BM_HeadsetUiTimePerFrame(benchmark::State& state) {
    ResourceManager& res = ResourceManager::instance();
    res.setSkinFolder(QString::fromStdString(AppPaths::programDataFolder("skin")));
    res.loadResource("res.xml");
    registerApplicationControls();
    registerDevicePageControls();
    const QString root = QDir::tempPath() + "/md_bench_headset/";
    QDir(root).removeRecursively();
    AppPaths::setDataRoot(root.toStdString());
    auto bus = sim::makeVirtualBus({"headset"}, "");
    auto device = bus->device("headset");
    device->setTiming(sim::Timing::UsbFullSpeed);
    setDefaultHidBackend(bus);

    const DeviceModelRow& row = kDeviceModels[3];
    QWidget owner;
    LayoutBuilder builder(&CMainWnd::layoutTags());
    QWidget* page = builder.build(modelPageOf(row).pageLayout, &owner);
    auto* model = qobject_cast<COrrivaleHS6533Device*>(page);
    if (!model) {
        state.SkipWithError("the headset page did not build");
        return;
    }
    DeviceIdentity id;
    id.vendorId = row.vendorId, id.productId = row.productId, id.deviceKind = kindValue(row.kind);
    model->setLayoutFile(modelPageOf(row).pageLayout);
    model->setLedCount(row.ledCount);
    model->setModelFolder(row.folder);
    model->setIdentity(id);
    model->setLightTableIndex(row.lightTable);
    model->setLightListName(row.lightList);
    model->bindPageControls();
    HidChannel probe(bus);
    std::string command;
    if (probe.enumerateHidPaths())
        if (const char* p = probe.nextHidPath()) command = p;
    model->session().open(command, LinkRoute::Shared);
    model->onDeviceAttached();
    LightSetting l = model->lighting();
    l.mode = 0, l.speed = 4, l.brightness = 4, l.multiColor = 1;
    const LightSetting::Words w = l.toWords();
    model->setLightSetting(w.w0, w.w1, w.w2, w.w3);
    owner.resize(820, 560);
    owner.show();
    QApplication::processEvents();

    std::vector<double> us;
    const uint64_t reportsBefore = device->firmware().headsetLedReportCount();
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        model->pushLedFrame();
        const auto t1 = std::chrono::steady_clock::now();
        us.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
        state.PauseTiming();
        QApplication::processEvents();  // the repaint and the worker's own notifications
        std::this_thread::sleep_for(std::chrono::milliseconds(14));
        state.ResumeTiming();
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::sort(us.begin(), us.end());
    const auto pct = [&](double p) { return us.empty() ? 0.0 : us[size_t(p * (us.size() - 1))]; };
    state.counters["p50_us"] = pct(0.50);
    state.counters["p99_us"] = pct(0.99);
    state.counters["frames_per_s"] =
        double(device->firmware().headsetLedReportCount() - reportsBefore) /
        lighting::kHeadsetReportCount / seconds;
    delete model;
    setDefaultHidBackend(nullptr);
    AppPaths::setDataRoot("");
    QDir(root).removeRecursively();
}
BENCHMARK(BM_HeadsetUiTimePerFrame)->Iterations(140)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace md
