#pragma once
// The UI-thread side of UiDispatcher. send() from a worker queues the message to the UI thread
// and waits until it was handled; from the UI thread itself it handles the message at once.
// post() only queues. After shutdown() nothing is handled any more and waiting senders return,
// so that a UI thread joining its workers never deadlocks with a worker inside send().

#include <QObject>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

#include "devlink/link/ui_dispatcher.h"

namespace md {

class QtUiDispatcher final : public QObject, public UiDispatcher {
    Q_OBJECT
  public:
    using Handler = std::function<void(uint32_t message, uintptr_t wParam, intptr_t lParam)>;
    QtUiDispatcher(Handler handler, QObject* parent);
    ~QtUiDispatcher() override;

    void send(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    void post(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    void shutdown();

  private:
    struct Shared {
        std::mutex mutex;
        std::condition_variable cv;
        bool closed = false;
    };
    Handler m_handler;
    std::shared_ptr<Shared> m_shared = std::make_shared<Shared>();
};

}  // namespace md
