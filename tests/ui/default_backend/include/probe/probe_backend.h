// A stand-in view for the default-backend test: headless underneath, and it counts its starts.
#pragma once

#include <memory>

#include "uir/headless_backend.h"

namespace probe {

struct ProbeBackend : uir::headless::HeadlessBackend {
    static inline int starts = 0;
    int start() override;
};

std::unique_ptr<uir::Backend> make_backend();

}  // namespace probe
