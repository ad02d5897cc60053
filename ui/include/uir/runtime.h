// Starting the run-time on a backend. A program chooses its backend (the Qt view, the headless
// backend of uir_headless, ...) with use_backend before InitUserInterface. Without a choice,
// InitUserInterface starts the build's default backend: the one the QORM_DEFAULT_BACKEND
// build option names, registered by the object that option links into the product. The Linux
// libraries have none, so a program that chose nothing gets UIE_NO_BACKEND from InitUserInterface
// (and from every later call, its first panel load included) instead of a run nobody sees.
#pragma once

#include <memory>

#include "uir/backend.h"

namespace uir {

// Chooses the backend InitUserInterface starts.
void use_backend(std::unique_ptr<Backend> backend);

// What InitUserInterface starts when nothing was chosen; null for none. Set by the build's
// default-backend object as it is loaded.
using BackendFactory = std::unique_ptr<Backend> (*)();
void set_default_backend(BackendFactory factory);

// Ends the run-time: discards every panel and the backend, so a test can start afresh. Handles
// keep counting up across restarts.
void shutdown();

}  // namespace uir
