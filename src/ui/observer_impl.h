#pragma once
// A process-wide registry of receivers of one kind of broadcast (the skin picker's changes).
// Receivers are kept under a running key and called in key order.

#include <map>

#include "ui/receiver_impl.h"

namespace md {

template <typename Key, typename Param>
class ObserverImpl {
  public:
    static ObserverImpl& instance() {
        static ObserverImpl* observer = new ObserverImpl;  // lives for the whole process
        return *observer;
    }

    Key addReceiver(ReceiverImpl<Key, Param>* receiver) {
        const Key key = m_next++;
        m_receivers[key] = receiver;
        receiver->attachTo(this, key);
        return key;
    }
    void removeReceiver(ReceiverImpl<Key, Param>* receiver) {
        for (auto it = m_receivers.begin(); it != m_receivers.end(); ++it)
            if (it->second == receiver) {
                m_receivers.erase(it);
                return;
            }
    }
    void broadcast(const Param& param) {
        const auto snapshot = m_receivers;  // a receiver may unsubscribe while called
        for (auto& [key, receiver] : snapshot) receiver->receive(param);
    }
    std::size_t size() const { return m_receivers.size(); }

  private:
    std::map<Key, ReceiverImpl<Key, Param>*> m_receivers;
    Key m_next{};
};

}  // namespace md
