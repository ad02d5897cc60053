#include "trace_detail.h"

namespace platform {

namespace {

using trace_detail::call_inner;
using trace_detail::now;
using trace_detail::report;

trace_detail::Slots<KelqormApi>& slots();

template <std::size_t S>
const KelqormApi* inner() {
    return slots().inner[S].load();
}

// The many operations that take only the session and give back nothing.
template <std::size_t S, ViStatus (*KelqormApi::*Op)(ViSession)>
ViStatus session_only(const char* name, ViSession vi) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), Op, vi);
    report(
        name, t, st, [&](CallText& c) { c.integer(vi); }, [](CallText&) {});
    return st;
}

// Operations with a result code and a text: self-test and loop-back test.
template <std::size_t S, ViStatus (*KelqormApi::*Op)(ViSession, ViInt16*, ViChar*)>
ViStatus result_and_text(const char* name, ViSession vi, ViInt16* result, ViChar message[]) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), Op, vi, result, message);
    report(
        name, t, st, [&](CallText& c) { c.integer(vi).out(result).out(message); },
        [&](CallText& o) {
            if (result) o.integer(*result);
            if (message) o.text(message, KELQORM_TEXT_LEN);
        });
    return st;
}

// Operations that read 30 codes: states and latch words.
template <std::size_t S, ViStatus (*KelqormApi::*Op)(ViSession, ViInt16*)>
ViStatus codes_out(const char* name, ViSession vi, ViInt16 codes[]) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), Op, vi, codes);
    report(
        name, t, st, [&](CallText& c) { c.integer(vi).out(codes); },
        [&](CallText& o) {
            if (codes) o.codes(codes, KELQORM_CHANNELS);
        });
    return st;
}

template <std::size_t S>
ViStatus init(ViRsrc resource, ViBoolean id_query, ViBoolean reset, ViSession* vi) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), &KelqormApi::init, resource, id_query, reset, vi);
    report(
        "kelqorm_init", t, st,
        [&](CallText& c) {
            c.text(resource, VI_FIND_BUFLEN).integer(id_query).integer(reset).out(vi);
        },
        [&](CallText& o) {
            if (vi) o.integer(*vi);
        });
    return st;
}

template <std::size_t S>
ViStatus connect(ViSession vi, ViSession carrier, ViUInt16 mezzanine, ViBoolean id_query,
                 ViBoolean reset) {
    double t = now();
    ViStatus st =
        call_inner(inner<S>(), &KelqormApi::connect, vi, carrier, mezzanine, id_query, reset);
    report(
        "kelqorm_connect", t, st,
        [&](CallText& c) {
            c.integer(vi).integer(carrier).integer(mezzanine).integer(id_query).integer(reset);
        },
        [](CallText&) {});
    return st;
}

template <std::size_t S>
ViStatus close(ViSession vi) {
    return session_only<S, &KelqormApi::close>("kelqorm_close", vi);
}

template <std::size_t S>
ViStatus reset(ViSession vi) {
    return session_only<S, &KelqormApi::reset>("kelqorm_reset", vi);
}

template <std::size_t S>
ViStatus self_test(ViSession vi, ViInt16* result, ViChar message[]) {
    return result_and_text<S, &KelqormApi::self_test>("kelqorm_self_test", vi, result, message);
}

template <std::size_t S>
ViStatus error_message(ViSession vi, ViStatus status, ViChar message[]) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), &KelqormApi::error_message, vi, status, message);
    report(
        "kelqorm_error_message", t, st,
        [&](CallText& c) { c.integer(vi).status(status).out(message); },
        [&](CallText& o) {
            if (message) o.text(message, KELQORM_TEXT_LEN);
        });
    return st;
}

template <std::size_t S>
ViStatus revision_query(ViSession vi, ViChar driver_rev[], ViChar hardware_rev[]) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), &KelqormApi::revision_query, vi, driver_rev, hardware_rev);
    report(
        "kelqorm_revision_query", t, st,
        [&](CallText& c) { c.integer(vi).out(driver_rev).out(hardware_rev); },
        [&](CallText& o) {
            if (driver_rev) o.text(driver_rev, KELQORM_REVISION_LEN);
            if (hardware_rev) o.text(hardware_rev, KELQORM_REVISION_LEN);
        });
    return st;
}

template <std::size_t S>
ViStatus manual_cmd(ViSession vi, ViInt16 channel, ViUInt16 line, ViInt16 on) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), &KelqormApi::manual_cmd, vi, channel, line, on);
    report(
        "kelqorm_manual_cmd", t, st,
        [&](CallText& c) { c.integer(vi).integer(channel).integer(line).integer(on); },
        [](CallText&) {});
    return st;
}

template <std::size_t S>
ViStatus manual_group_cmd(ViSession vi, ViInt16 on, ViInt16 lines[]) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), &KelqormApi::manual_group_cmd, vi, on, lines);
    report(
        "kelqorm_manual_group_cmd", t, st,
        [&](CallText& c) { c.integer(vi).integer(on).codes(lines, KELQORM_CHANNELS); },
        [](CallText&) {});
    return st;
}

template <std::size_t S>
ViStatus cmd_config(ViSession vi, ViInt16 channel, ViUInt16 line, ViReal64 time) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), &KelqormApi::cmd_config, vi, channel, line, time);
    report(
        "kelqorm_cmd_config", t, st,
        [&](CallText& c) { c.integer(vi).integer(channel).integer(line).real(time); },
        [](CallText&) {});
    return st;
}

template <std::size_t S>
ViStatus set_cmd_time(ViSession vi, ViInt16 channel, ViReal64 time) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), &KelqormApi::set_cmd_time, vi, channel, time);
    report(
        "kelqorm_set_cmd_time", t, st,
        [&](CallText& c) { c.integer(vi).integer(channel).real(time); }, [](CallText&) {});
    return st;
}

template <std::size_t S>
ViStatus cmd_time_q(ViSession vi, ViInt16 channel, ViReal64* time) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), &KelqormApi::cmd_time_q, vi, channel, time);
    report(
        "kelqorm_cmd_time_q", t, st, [&](CallText& c) { c.integer(vi).integer(channel).out(time); },
        [&](CallText& o) {
            if (time) o.real(*time);
        });
    return st;
}

template <std::size_t S>
ViStatus config_trigger(ViSession vi, ViInt16 mode) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), &KelqormApi::config_trigger, vi, mode);
    report(
        "kelqorm_config_trigger", t, st, [&](CallText& c) { c.integer(vi).integer(mode); },
        [](CallText&) {});
    return st;
}

template <std::size_t S>
ViStatus set_line(ViSession vi, ViInt16 channel, ViUInt16 line) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), &KelqormApi::set_line, vi, channel, line);
    report(
        "kelqorm_set_line", t, st,
        [&](CallText& c) { c.integer(vi).integer(channel).integer(line); }, [](CallText&) {});
    return st;
}

template <std::size_t S>
ViStatus start(ViSession vi, ViInt16 lines[]) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), &KelqormApi::start, vi, lines);
    report(
        "kelqorm_start", t, st, [&](CallText& c) { c.integer(vi).codes(lines, KELQORM_CHANNELS); },
        [](CallText&) {});
    return st;
}

template <std::size_t S>
ViStatus stop(ViSession vi) {
    return session_only<S, &KelqormApi::stop>("kelqorm_stop", vi);
}

template <std::size_t S>
ViStatus gstart_q(ViSession vi, ViInt16* running) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), &KelqormApi::gstart_q, vi, running);
    report(
        "kelqorm_gstart_q", t, st, [&](CallText& c) { c.integer(vi).out(running); },
        [&](CallText& o) {
            if (running) o.integer(*running);
        });
    return st;
}

template <std::size_t S>
ViStatus state(ViSession vi, ViInt16 states[]) {
    return codes_out<S, &KelqormApi::state>("kelqorm_state", vi, states);
}

template <std::size_t S>
ViStatus trig_state(ViSession vi, ViInt16 latches[]) {
    return codes_out<S, &KelqormApi::trig_state>("kelqorm_trig_state", vi, latches);
}

template <std::size_t S>
ViStatus reset_trig(ViSession vi, ViInt16 channel) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), &KelqormApi::reset_trig, vi, channel);
    report(
        "kelqorm_reset_trig", t, st, [&](CallText& c) { c.integer(vi).integer(channel); },
        [](CallText&) {});
    return st;
}

template <std::size_t S>
ViStatus sft_interface(ViSession vi, kelqorm_TextCallback callback) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), &KelqormApi::sft_interface, vi, callback);
    report(
        "kelqorm_sft_interface", t, st,
        [&](CallText& c) { c.integer(vi).callback(reinterpret_cast<const void*>(callback)); },
        [](CallText&) {});
    return st;
}

template <std::size_t S>
ViStatus zqorm_test(ViSession vi, ViInt16* result, ViChar message[]) {
    return result_and_text<S, &KelqormApi::zqorm_test>("kelqorm_zqorm_test", vi, result, message);
}

struct Make {
    template <std::size_t S>
    KelqormApi operator()(std::integral_constant<std::size_t, S>) const {
        return {.origin = nullptr,
                .simulated = false,
                .init = &init<S>,
                .connect = &connect<S>,
                .close = &close<S>,
                .reset = &reset<S>,
                .self_test = &self_test<S>,
                .error_message = &error_message<S>,
                .revision_query = &revision_query<S>,
                .manual_cmd = &manual_cmd<S>,
                .manual_group_cmd = &manual_group_cmd<S>,
                .cmd_config = &cmd_config<S>,
                .set_cmd_time = &set_cmd_time<S>,
                .cmd_time_q = &cmd_time_q<S>,
                .config_trigger = &config_trigger<S>,
                .set_line = &set_line<S>,
                .start = &start<S>,
                .stop = &stop<S>,
                .gstart_q = &gstart_q<S>,
                .state = &state<S>,
                .trig_state = &trig_state<S>,
                .reset_trig = &reset_trig<S>,
                .sft_interface = &sft_interface<S>,
                .zqorm_test = &zqorm_test<S>};
    }
};

trace_detail::Slots<KelqormApi>& slots() {
    static trace_detail::Slots<KelqormApi> s(trace_detail::make_tables<KelqormApi>(
        Make(), std::make_index_sequence<trace_detail::kSlots>()));
    return s;
}

}  // namespace

const KelqormApi* traced(const KelqormApi* inner) {
    return slots().attach(inner, "module driver");
}

}  // namespace platform
