#pragma once

#include <memory>
#include <string>

#include "startup/child_process.h"

namespace quillet::bench {

// An Xvfb server of our own on a free display number, so that every run
// starts on the same empty screen whatever display the caller has.
class VirtualDisplay {
  public:
    VirtualDisplay();  // throws when Xvfb cannot be started

    const std::string& name() const { return name_; }  // e.g. ":1"

  private:
    std::unique_ptr<ChildProcess> server_;
    std::string name_;
};

}  // namespace quillet::bench
