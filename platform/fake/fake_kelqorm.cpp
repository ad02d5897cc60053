// The fake module driver: answers from fake::module().
#include <cstdio>
#include <vector>

#include "ctext/ctext.h"
#include "fake_internal.h"

namespace fake {

namespace {

using detail::answer;
using detail::first_error;
using detail::need_codes;
using detail::need_pointer;
using detail::need_range;
using platform::CallText;

constexpr long kChannels = KELQORM_CHANNELS;

// A channel 1-30 (or 0-30 where 0 means all), a line code, an on flag or start mode.
ViStatus need_channel(ViInt16 channel, int param) {
    return need_range(channel, 1, kChannels, param);
}
ViStatus need_channel_or_all(ViInt16 channel, int param) {
    return need_range(channel, 0, kChannels, param);
}
ViStatus need_line(ViUInt16 line, int param) {
    return need_range(line, 0, 2, param);
}
ViStatus need_flag(ViInt16 flag, int param) {
    return need_range(flag, 0, 1, param);
}

void write_text(ViChar* buffer, std::size_t size, const std::optional<std::string>& text) {
    if (text) ctext::copy(buffer, size, *text);
}

std::string default_error_text(ViStatus status) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "Ошибка %08X", static_cast<unsigned>(status));
    return buf;
}

// The operations that do nothing but log: the fake does not model the module.
ViStatus logged(const char* op, ViStatus invalid, const std::function<ViStatus(ViSession)>& hook,
                ViSession vi) {
    return answer(
        op, [&](CallText& c) { c.integer(vi); }, invalid, hook, [] { return VI_SUCCESS; }, vi);
}

ViStatus init(ViRsrc resource, ViBoolean id_query, ViBoolean reset, ViSession* vi) {
    ViStatus invalid = first_error({need_pointer(resource, 1), need_pointer(vi, 4)});
    return answer(
        "kelqorm_init",
        [&](CallText& c) {
            c.text(resource, VI_FIND_BUFLEN).integer(id_query).integer(reset).out(vi);
        },
        invalid, hooks().kelqorm_init,
        [&] {
            *vi = module().session;
            return VI_SUCCESS;
        },
        resource, id_query, reset, vi);
}

ViStatus connect(ViSession vi, ViSession carrier, ViUInt16 mezzanine, ViBoolean id_query,
                 ViBoolean reset) {
    return answer(
        "kelqorm_connect",
        [&](CallText& c) {
            c.integer(vi).integer(carrier).integer(mezzanine).integer(id_query).integer(reset);
        },
        VI_SUCCESS, hooks().kelqorm_connect, [] { return module().connect_status; }, vi, carrier,
        mezzanine, id_query, reset);
}

ViStatus close(ViSession vi) {
    return logged("kelqorm_close", VI_SUCCESS, hooks().kelqorm_close, vi);
}
ViStatus reset(ViSession vi) {
    return logged("kelqorm_reset", VI_SUCCESS, hooks().kelqorm_reset, vi);
}
ViStatus stop(ViSession vi) {
    return logged("kelqorm_stop", VI_SUCCESS, hooks().kelqorm_stop, vi);
}

ViStatus self_test(ViSession vi, ViInt16* result, ViChar message[]) {
    ViStatus invalid = first_error({need_pointer(result, 2), need_pointer(message, 3)});
    return answer(
        "kelqorm_self_test", [&](CallText& c) { c.integer(vi).out(result).out(message); }, invalid,
        hooks().kelqorm_self_test,
        [&] {
            *result = module().self_test_result;
            write_text(message, KELQORM_TEXT_LEN, module().self_test_text);
            return VI_SUCCESS;
        },
        vi, result, message);
}

ViStatus error_message(ViSession vi, ViStatus status, ViChar message[]) {
    return answer(
        "kelqorm_error_message", [&](CallText& c) { c.integer(vi).status(status).out(message); },
        need_pointer(message, 3), hooks().kelqorm_error_message,
        [&] {
            const auto& texts = module().error_texts;
            auto it = texts.find(status);
            ctext::copy(message, KELQORM_TEXT_LEN,
                        it != texts.end() ? it->second : default_error_text(status));
            return VI_SUCCESS;
        },
        vi, status, message);
}

ViStatus revision_query(ViSession vi, ViChar driver_rev[], ViChar hardware_rev[]) {
    ViStatus invalid = first_error({need_pointer(driver_rev, 2), need_pointer(hardware_rev, 3)});
    return answer(
        "kelqorm_revision_query",
        [&](CallText& c) { c.integer(vi).out(driver_rev).out(hardware_rev); }, invalid,
        hooks().kelqorm_revision_query,
        [&] {
            write_text(driver_rev, KELQORM_REVISION_LEN, module().driver_revision);
            write_text(hardware_rev, KELQORM_REVISION_LEN, module().hardware_revision);
            return VI_SUCCESS;
        },
        vi, driver_rev, hardware_rev);
}

ViStatus manual_cmd(ViSession vi, ViInt16 channel, ViUInt16 line, ViInt16 on) {
    ViStatus invalid =
        first_error({need_channel(channel, 2), need_line(line, 3), need_flag(on, 4)});
    return answer(
        "kelqorm_manual_cmd",
        [&](CallText& c) { c.integer(vi).integer(channel).integer(line).integer(on); }, invalid,
        hooks().kelqorm_manual_cmd, [] { return VI_SUCCESS; }, vi, channel, line, on);
}

ViStatus manual_group_cmd(ViSession vi, ViInt16 on, ViInt16 lines[]) {
    ViStatus invalid = first_error({need_flag(on, 2), need_codes(lines, 3)});
    return answer(
        "kelqorm_manual_group_cmd",
        [&](CallText& c) { c.integer(vi).integer(on).codes(lines, KELQORM_CHANNELS); }, invalid,
        hooks().kelqorm_manual_group_cmd, [] { return VI_SUCCESS; }, vi, on, lines);
}

ViStatus cmd_config(ViSession vi, ViInt16 channel, ViUInt16 line, ViReal64 time) {
    ViStatus invalid = first_error({need_channel(channel, 2), need_line(line, 3)});
    return answer(
        "kelqorm_cmd_config",
        [&](CallText& c) { c.integer(vi).integer(channel).integer(line).real(time); }, invalid,
        hooks().kelqorm_cmd_config,
        [&] {
            module().times[channel - 1] = time;
            return VI_SUCCESS;
        },
        vi, channel, line, time);
}

ViStatus set_cmd_time(ViSession vi, ViInt16 channel, ViReal64 time) {
    return answer(
        "kelqorm_set_cmd_time", [&](CallText& c) { c.integer(vi).integer(channel).real(time); },
        need_channel_or_all(channel, 2), hooks().kelqorm_set_cmd_time,
        [&] {
            if (channel == 0)
                module().times.fill(time);
            else
                module().times[channel - 1] = time;
            return VI_SUCCESS;
        },
        vi, channel, time);
}

ViStatus cmd_time_q(ViSession vi, ViInt16 channel, ViReal64* time) {
    ViStatus invalid = first_error({need_channel(channel, 2), need_pointer(time, 3)});
    return answer(
        "kelqorm_cmd_time_q", [&](CallText& c) { c.integer(vi).integer(channel).out(time); },
        invalid, hooks().kelqorm_cmd_time_q,
        [&] {
            int k = channel - 1;
            *time = module().reported_times[k].value_or(module().times[k]);
            return VI_SUCCESS;
        },
        vi, channel, time);
}

ViStatus config_trigger(ViSession vi, ViInt16 mode) {
    return answer(
        "kelqorm_config_trigger", [&](CallText& c) { c.integer(vi).integer(mode); },
        need_flag(mode, 2), hooks().kelqorm_config_trigger, [] { return VI_SUCCESS; }, vi, mode);
}

ViStatus set_line(ViSession vi, ViInt16 channel, ViUInt16 line) {
    ViStatus invalid = first_error({need_channel(channel, 2), need_line(line, 3)});
    return answer(
        "kelqorm_set_line", [&](CallText& c) { c.integer(vi).integer(channel).integer(line); },
        invalid, hooks().kelqorm_set_line, [] { return VI_SUCCESS; }, vi, channel, line);
}

ViStatus start(ViSession vi, ViInt16 lines[]) {
    return answer(
        "kelqorm_start", [&](CallText& c) { c.integer(vi).codes(lines, KELQORM_CHANNELS); },
        need_codes(lines, 2), hooks().kelqorm_start, [] { return VI_SUCCESS; }, vi, lines);
}

ViStatus gstart_q(ViSession vi, ViInt16* running) {
    return answer(
        "kelqorm_gstart_q", [&](CallText& c) { c.integer(vi).out(running); },
        need_pointer(running, 2), hooks().kelqorm_gstart_q,
        [&] {
            *running = module().running;
            return VI_SUCCESS;
        },
        vi, running);
}

// kelqorm_state and kelqorm_trig_state: 30 codes out.
ViStatus codes_out(const char* op, ViSession vi, ViInt16 out[],
                   const std::function<ViStatus(ViSession, ViInt16*)>& hook,
                   const std::array<ViInt16, KELQORM_CHANNELS>& source) {
    return answer(
        op, [&](CallText& c) { c.integer(vi).out(out); }, need_pointer(out, 2), hook,
        [&] {
            std::copy(source.begin(), source.end(), out);
            return VI_SUCCESS;
        },
        vi, out);
}

ViStatus state(ViSession vi, ViInt16 states[]) {
    return codes_out("kelqorm_state", vi, states, hooks().kelqorm_state, module().states);
}

ViStatus trig_state(ViSession vi, ViInt16 latches[]) {
    return codes_out("kelqorm_trig_state", vi, latches, hooks().kelqorm_trig_state,
                     module().latches);
}

ViStatus reset_trig(ViSession vi, ViInt16 channel) {
    return answer(
        "kelqorm_reset_trig", [&](CallText& c) { c.integer(vi).integer(channel); },
        need_channel_or_all(channel, 2), hooks().kelqorm_reset_trig,
        [&] {
            if (channel == 0)
                module().latches.fill(0);
            else
                module().latches[channel - 1] = 0;
            return VI_SUCCESS;
        },
        vi, channel);
}

ViStatus sft_interface(ViSession vi, kelqorm_TextCallback callback) {
    return answer(
        "kelqorm_sft_interface",
        [&](CallText& c) { c.integer(vi).callback(reinterpret_cast<const void*>(callback)); },
        VI_SUCCESS, hooks().kelqorm_sft_interface,
        [&] {
            module().text_callback = callback;
            return VI_SUCCESS;
        },
        vi, callback);
}

ViStatus zqorm_test(ViSession vi, ViInt16* result, ViChar message[]) {
    ViStatus invalid = first_error({need_pointer(result, 2), need_pointer(message, 3)});
    return answer(
        "kelqorm_zqorm_test", [&](CallText& c) { c.integer(vi).out(result).out(message); }, invalid,
        hooks().kelqorm_zqorm_test,
        [&] {
            // A copy: the callback may change the script while the lines go out.
            std::vector<TextLine> lines = module().loopback_lines;
            for (const TextLine& line : lines) send_line(vi, line);
            *result = module().loopback_result;
            write_text(message, KELQORM_TEXT_LEN, module().loopback_text);
            return VI_SUCCESS;
        },
        vi, result, message);
}

}  // namespace

ViStatus send_line(ViSession vi, const TextLine& line) {
    kelqorm_TextCallback callback = module().text_callback;
    if (callback == nullptr) return VI_SUCCESS;
    // The driver hands out a line it owns, valid during the call only.
    std::vector<ViChar> buffer(KELQORM_TEXT_LEN);
    ctext::copy(buffer.data(), buffer.size(), line.text);
    return callback(vi, line.channel, line.kind, buffer.data());
}

namespace detail {

const platform::KelqormApi kelqorm_table = {
    .origin = "fake",
    .simulated = false,
    .init = &init,
    .connect = &connect,
    .close = &close,
    .reset = &reset,
    .self_test = &self_test,
    .error_message = &error_message,
    .revision_query = &revision_query,
    .manual_cmd = &manual_cmd,
    .manual_group_cmd = &manual_group_cmd,
    .cmd_config = &cmd_config,
    .set_cmd_time = &set_cmd_time,
    .cmd_time_q = &cmd_time_q,
    .config_trigger = &config_trigger,
    .set_line = &set_line,
    .start = &start,
    .stop = &stop,
    .gstart_q = &gstart_q,
    .state = &state,
    .trig_state = &trig_state,
    .reset_trig = &reset_trig,
    .sft_interface = &sft_interface,
    .zqorm_test = &zqorm_test,
};

}  // namespace detail
}  // namespace fake
