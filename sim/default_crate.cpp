#include "sim/sim.h"

namespace sim {

Crate default_crate() {
    Crate crate;
    crate.name = "built-in crate";

    Instrument controller;
    controller.resource = "VXI0::0::INSTR";
    controller.slot = 0;
    controller.logical_address = 0;
    controller.mainframe_la = 0;
    controller.model_code = 0x0FF;
    crate.instruments.push_back(controller);

    Instrument carrier;
    carrier.resource = "VXI0::8::INSTR";
    carrier.slot = 3;
    carrier.logical_address = 8;
    carrier.mainframe_la = 0;
    carrier.model_code = 0x155;
    Mezzanine qorm;
    qorm.position = 2;
    qorm.hardware_revision = "4.2";
    qorm.test_connector = true;
    carrier.carrier = Carrier{};
    carrier.carrier->mezzanines.push_back(qorm);
    crate.instruments.push_back(carrier);
    return crate;
}

}  // namespace sim
