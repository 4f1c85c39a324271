#pragma once
// Handlers of the two deskset answers that move a transfer on. Each lives for
// one dispatch.

#include "transfer/Msg.h"

namespace transfer {

class TransferController;

class CGMsgVirtual {
public:
    virtual void Execute() = 0;
    virtual ~CGMsgVirtual() = default;
};

// The deskset's database version matched: ask for its hardware.
class TorvoDkReceiveDbVersion : public CGMsgVirtual {
public:
    explicit TorvoDkReceiveDbVersion(TransferController& controller) : m_controller(controller) {}
    void Execute() override;

private:
    TransferController& m_controller;
};

// The hardware fits: start the upload or the download request.
class TorvoDkReceiveHwConfig : public CGMsgVirtual {
public:
    explicit TorvoDkReceiveHwConfig(TransferController& controller) : m_controller(controller) {}
    void Execute() override;

private:
    TransferController& m_controller;
};

}  // namespace transfer
