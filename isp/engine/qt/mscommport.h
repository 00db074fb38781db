// The engine's port over the serial component: opens MSComm at a rate and parity, writes
// bytes, and reports why an open failed.
#pragma once

#include "engineio.h"
#include "mscomm.h"

namespace zel {

class MSCommPort : public IspPort {
  public:
    explicit MSCommPort(kserial::MSComm& comm) : m_comm(comm) {}

    bool open(int64_t rate, Parity parity, PortFailure& failure) override;
    void close() override;
    bool isOpen() const override { return m_comm.PortOpen(); }
    bool write(const Bytes& bytes) override;
    bool deviceGone() const override;

  private:
    kserial::MSComm& m_comm;
};

}  // namespace zel
