#pragma once
// Helpers of the offscreen GUI tests.

#include <QString>
#include <chrono>
#include <functional>

namespace md::test {

// Processes events until pred() holds or the time-out passes; answers pred().
bool waitFor(const std::function<bool()>& pred,
             std::chrono::milliseconds timeout = std::chrono::milliseconds(10000));

// The skin and data folders of the source tree.
QString sourceSkinFolder();
QString sourceDataFolder();
// A fresh empty folder under the test run's temporary root (ends with '/').
QString freshFolder(const QString& name);
// Points the resource manager at the source skin and registers the application's classes.
void useSourceSkin();

}  // namespace md::test
