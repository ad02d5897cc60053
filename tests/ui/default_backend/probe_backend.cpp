#include "probe/probe_backend.h"

namespace probe {

int ProbeBackend::start() {
    ++starts;
    return 0;
}

std::unique_ptr<uir::Backend> make_backend() {
    return std::make_unique<ProbeBackend>();
}

}  // namespace probe
