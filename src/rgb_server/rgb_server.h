#pragma once
// The RGB SDK protocol server: other lighting programs (editors, visualisers, game bridges)
// list the devices and light them through it. TCP on the loopback addresses unless another
// address is given (the protocol has no authentication). One thread sleeps in poll until a
// client sends, a reply can go out, the device list changed or the server stops.
//
// Hostile clients are contained: bad magic or a packet above kMaxPacket closes that connection
// only; an unknown controller index, an unknown packet or a short packet is ignored; at most
// kMaxClients connections; a client that stops reading is dropped once kMaxQueued bytes wait
// for it, so it never holds up the devices or the other clients.

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "common/worker.h"
#include "rgb_server/rgb_host.h"

namespace md::rgb {

class RgbServer {
  public:
    static constexpr size_t kMaxClients = 16;
    static constexpr size_t kMaxPacket = 1 << 20;
    static constexpr size_t kMaxQueued = 4 << 20;

    explicit RgbServer(RgbHost& host);
    ~RgbServer();
    RgbServer(const RgbServer&) = delete;
    RgbServer& operator=(const RgbServer&) = delete;

    // Listens on address ("" or "localhost": 127.0.0.1 and ::1) and port (0: any free port)
    // and starts the thread. False with *error set when no address could be bound.
    bool start(const std::string& address, uint16_t port, std::string* error = nullptr);
    void stop();
    bool running() const { return m_worker.running(); }
    // The port listened on (the one chosen when 0 was asked for).
    uint16_t port() const { return m_port; }
    // From any thread: every client hears that the device list changed.
    void deviceListChanged();
    // The names the connected clients gave (or "client N").
    std::vector<std::string> clientNames() const;

  private:
    struct Client;
    void run(const StopEvent& stop);
    void accept(int listener);
    // False when the client is to be closed.
    bool receive(Client& c);
    bool flush(Client& c);
    void handle(Client& c, uint32_t device, uint32_t id, std::span<const uint8_t> data);
    void send(Client& c, std::vector<uint8_t> bytes);
    void directColours(Client& c, size_t index, std::vector<uint32_t> colours, size_t first = 0);
    void publishClients();

    RgbHost& m_host;
    Worker m_worker;
    std::vector<int> m_listeners;
    int m_wake = -1;  // eventfd: the device list changed
    uint16_t m_port = 0;
    std::vector<std::unique_ptr<Client>> m_clients;
    uint32_t m_nextClient = 1;
    bool m_clientsChanged = false;  // the names to publish changed (server thread)
    // The colours each controller shows from clients (reset when the device list changes).
    std::map<size_t, std::vector<lighting::LedColour>> m_direct;
    mutable std::mutex m_namesMutex;
    std::vector<std::string> m_names;
};

}  // namespace md::rgb
