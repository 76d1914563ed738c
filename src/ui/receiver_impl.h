#pragma once
// The receiving side of ObserverImpl. It unsubscribes itself when destroyed.

namespace md {

template <typename Key, typename Param>
class ObserverImpl;

template <typename Key, typename Param>
class ReceiverImpl {
  public:
    virtual ~ReceiverImpl() {
        if (m_observer) m_observer->removeReceiver(this);
    }
    virtual int receive(const Param& param) = 0;

    void attachTo(ObserverImpl<Key, Param>* observer, Key key) {
        m_observer = observer;
        m_key = key;
    }

  private:
    ObserverImpl<Key, Param>* m_observer = nullptr;
    Key m_key{};
};

}  // namespace md
