#include "sim/kelqorm_ops.h"
#include "sim/sim.h"

namespace sim {
namespace {

const platform::KelqormApi kKelqormApi{
    "simulated crate",
    true,
    kq::init,
    kq::connect,
    kq::close,
    kq::reset,
    kq::self_test,
    kq::error_message,
    kq::revision_query,
    kq::manual_cmd,
    kq::manual_group_cmd,
    kq::cmd_config,
    kq::set_cmd_time,
    kq::cmd_time_q,
    kq::config_trigger,
    kq::set_line,
    kq::start,
    kq::stop,
    kq::gstart_q,
    kq::state,
    kq::trig_state,
    kq::reset_trig,
    kq::sft_interface,
    kq::zqorm_test,
};

}  // namespace

const platform::KelqormApi* kelqorm_api() {
    return &kKelqormApi;
}

}  // namespace sim
