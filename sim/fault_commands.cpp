// Fault injection through one line of text, for scripts.
#include <array>
#include <sstream>

#include "sim/faults.h"
#include "sim/status.h"
#include "text.h"

namespace sim {
namespace {

using Words = std::vector<std::string>;

std::optional<int> number(const std::string& word) {
    auto value = parse_integer(word);
    if (!value || *value < INT32_MIN || *value > UINT32_MAX) return std::nullopt;
    return static_cast<int>(static_cast<int64_t>(static_cast<int32_t>(*value)));
}

std::optional<ViStatus> status_word(const std::string& word) {
    if (auto named = status_by_name(word)) return named;
    return number(word);
}

// COUNT|always after the status: how many calls a rule answers.
std::optional<int> rule_count(const Words& w, std::size_t at) {
    if (w.size() <= at) return 1;
    if (iequals(w[at], "always")) return kUntilCleared;
    auto n = number(w[at]);
    if (n && *n > 0) return n;
    return std::nullopt;
}

std::string silent(const Words& w) {
    if (w.size() < 3 || w.size() > 4) return "usage: silent OPERATION STATUS [COUNT|always]";
    auto status = status_word(w[2]);
    if (!status) return "unknown status '" + w[2] + "'";
    auto count = rule_count(w, 3);
    if (!count) return "the count must be a positive number or 'always'";
    return fail_silently(w[1], *status, *count) ? "" : "unknown operation '" + w[1] + "'";
}

std::string fail(const Words& w) {
    if (w.size() == 2 && iequals(w[1], "memory")) {
        fail_memory();
        return "";
    }
    if (w.size() < 3 || w.size() > 5 || (w.size() == 5 && !iequals(w[3], "after")))
        return "usage: fail OPERATION STATUS [COUNT|always|after N], or fail memory";
    auto status = status_word(w[2]);
    if (!status) return "unknown status '" + w[2] + "'";
    if (w.size() == 5) {
        auto n = number(w[4]);
        if (!n || *n < 1) return "after N: N counts the calls from 1, not '" + w[4] + "'";
        return fail_nth(w[1], *status, *n) ? "" : "unknown operation '" + w[1] + "'";
    }
    int count = 1;
    if (w.size() == 4) {
        auto n = number(w[3]);
        if (iequals(w[3], "always"))
            count = kUntilCleared;
        else if (n && *n > 0)
            count = *n;
        else
            return "the count must be a positive number or 'always'";
    }
    return fail_next(w[1], *status, count) ? "" : "unknown operation '" + w[1] + "'";
}

std::string clear(const Words& w) {
    if (w.size() == 1) {
        clear_faults();
        return "";
    }
    if (w.size() != 2) return "usage: clear [OPERATION]";
    return clear_fault(w[1]) ? "" : "unknown operation '" + w[1] + "'";
}

// CHANNEL [VALUE] [CARRIER POSITION]: the module part is optional, both words or neither.
std::string channel_fault(const Words& w, bool with_value, const char* usage,
                          bool (*apply)(std::string_view, int, int, int)) {
    std::size_t fixed = with_value ? 3 : 2;
    if (w.size() != fixed && w.size() != fixed + 2) return std::string("usage: ") + usage;
    auto channel = number(w[1]);
    auto value = with_value ? number(w[2]) : std::optional<int>(0);
    if (!channel || !value) return std::string("usage: ") + usage;
    std::string carrier;
    std::optional<int> position = 0;
    if (w.size() == fixed + 2) {
        carrier = w[fixed];
        position = number(w[fixed + 1]);
        if (!position) return std::string("usage: ") + usage;
    }
    if (apply(carrier, *position, *channel, *value)) return "";
    return carrier.empty() ? "no such channel, or no module session is connected"
                           : "no QORM at " + carrier + " position " + w[fixed + 1] +
                                 ", or no such channel or state";
}

std::string visa(const Words& w) {
    if (w.size() == 2 && iequals(w[1], "missing"))
        set_visa_missing(true);
    else if (w.size() == 2 && iequals(w[1], "present"))
        set_visa_missing(false);
    else
        return "usage: visa missing|present";
    return "";
}

}  // namespace

std::string fault_command(std::string_view line) {
    std::istringstream in{std::string(line)};
    Words words;
    for (std::string word; in >> word;) words.push_back(word);
    if (words.empty()) return "empty command";
    const std::string& verb = words[0];
    if (iequals(verb, "fail")) return fail(words);
    if (iequals(verb, "clear")) return clear(words);
    if (iequals(verb, "silent")) return silent(words);
    if (iequals(verb, "visa")) return visa(words);
    if (iequals(verb, "stick")) {
        return channel_fault(
            words, true, "stick CHANNEL STATE [CARRIER POSITION]",
            [](std::string_view c, int p, int ch, int s) { return stick_channel(c, p, ch, s); });
    }
    if (iequals(verb, "latch")) {
        // The word is the register's 16 bits: 0xFFFF and -1 are the same word.
        if (words.size() >= 3 && iequals(words[2], "model")) {
            Words w = words;
            w.erase(w.begin() + 2);
            return channel_fault(
                w, false, "latch CHANNEL WORD|model [CARRIER POSITION]",
                [](std::string_view c, int p, int ch, int) { return clear_latch_word(c, p, ch); });
        }
        if (words.size() >= 3) {
            auto word = parse_integer(words[2]);
            if (!word || *word < INT16_MIN || *word > UINT16_MAX)
                return "the latch word must be 16 bits: -32768 to 65535 or 0x0000 to 0xFFFF";
        }
        return channel_fault(words, true, "latch CHANNEL WORD|model [CARRIER POSITION]",
                             [](std::string_view c, int p, int ch, int word) {
                                 return set_latch_word(c, p, ch,
                                                       static_cast<int16_t>(word & 0xFFFF));
                             });
    }
    if (iequals(verb, "break") || iequals(verb, "repair")) {
        bool broken = iequals(verb, "break");
        auto apply = broken ? +[](std::string_view c, int p, int ch,
                                  int) { return break_channel(c, p, ch, true); }
                            : +[](std::string_view c, int p, int ch, int) {
                                  return break_channel(c, p, ch, false);
                              };
        return channel_fault(
            words, false,
            broken ? "break CHANNEL [CARRIER POSITION]" : "repair CHANNEL [CARRIER POSITION]",
            apply);
    }
    return "unknown command '" + verb + "'";
}

}  // namespace sim
