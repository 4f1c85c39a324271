// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "link/CSerialLayer1.h"
#include "link/IFrameObserver.h"
#include "link/VcomClock.h"

class CLayer1;
class CLayer2;

// Builds the layers Vcom::Connect asks for by kind number: the line
// transports of Layer 1 and the packet layer (Layer 2 kind 0); any other kind
// is unknown. Tests and the simulator derive from it to put other transports
// under the same stack.
class CLayerFactory {
public:
    static constexpr int kSerialLayer1 = 0;
    static constexpr int kPipeLayer1 = 1;
    static constexpr int kSocketLayer1 = 2;
    static constexpr int kSharedMemoryLayer1 = 3;
    static constexpr int kModemLayer1 = 4;
    static constexpr int kMulticastLayer1 = 5;
    static constexpr int kPacketLayer2 = 0;

    virtual ~CLayerFactory();

    // Returns null for an unknown kind. extra is only for transports that take
    // over an existing connection.
    virtual std::unique_ptr<CLayer1> CreateLayer1(int kind, const char* parameters, void* extra);
    virtual std::unique_ptr<CLayer2> CreateLayer2(int kind, CLayer1& layer1,
                                                  const char* parameters);

    void SetPortResolver(PortResolver resolver) { m_resolver = std::move(resolver); }
    const PortResolver& GetPortResolver() const { return m_resolver; }
    void SetClock(MillisecondClock clock) { m_clock = std::move(clock); }
    const MillisecondClock& GetClock() const { return m_clock; }
    // The interface multicast members join and send on (dotted); empty: any.
    void SetMulticastInterface(std::string address) { m_multicastInterface = std::move(address); }
    // Handed to each packet layer built from now on; null for none.
    void SetFrameObserver(std::shared_ptr<IFrameObserver> observer) {
        m_frameObserver = std::move(observer);
    }
    const std::shared_ptr<IFrameObserver>& GetFrameObserver() const { return m_frameObserver; }

private:
    PortResolver m_resolver = &CSerialLayer1::DefaultDevicePath;
    MillisecondClock m_clock = SteadyMillisecondClock();
    std::string m_multicastInterface;
    std::shared_ptr<IFrameObserver> m_frameObserver;
};
