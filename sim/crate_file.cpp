// Crate files: YAML read with yaml-cpp, then checked key by key. Every refusal names the file,
// the line and the reason; a refused file gives no crate at all. The format is described in the
// README ("Simulated crate files").
//
// Any input is read in bounded time and memory. The file's size is bounded before anything is
// parsed; the bytes must be UTF-8; then one pass over the parser's events (no tree is built)
// bounds the nesting and the number of values and makes sure there is exactly one document.
// Only then is the tree built, with yaml-cpp's single-document Load. yaml-cpp's LoadAll is not
// used: on some malformed input (a lone ',') it yields empty documents for ever without
// consuming anything, growing without bound.
#include <yaml-cpp/eventhandler.h>
#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <map>
#include <set>
#include <sstream>

#include "sim/resource_name.h"
#include "sim/sim.h"
#include "text.h"

namespace sim {
namespace {

using Keys = std::initializer_list<const char*>;

constexpr std::size_t kMaxText = 255;     // texts the drivers hand out in 256-byte buffers
constexpr std::size_t kMaxRevision = 71;  // revision texts, 72-byte buffers
constexpr double kMaxTriggerDelay = 3600;
constexpr std::size_t kShownBytes = 60;  // of a text from the file quoted in a message

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Text from the file as a message quotes it: in quotes, on one line, cut at a character.
std::string shown(std::string_view text) {
    std::string out = "'";
    std::size_t n = 0;
    for (; n < text.size() && n < kShownBytes; ++n) {
        const auto c = static_cast<unsigned char>(text[n]);
        out += c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c);
    }
    if (n < text.size()) {
        while (!out.empty() && (static_cast<unsigned char>(out.back()) & 0xC0) == 0x80) {
            out.pop_back();
        }
        if (!out.empty() && static_cast<unsigned char>(out.back()) >= 0xC0) out.pop_back();
        out += "...";
    }
    return out + "'";
}

// Where the bytes of a crate file stop being UTF-8 text: the offset of the first byte that is
// not part of a well-formed UTF-8 sequence, or of a NUL byte; npos when there is none.
std::size_t first_bad_byte(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '\0') return i;
        const std::size_t n = ctext::utf8_character_length(text.substr(i));
        if (n == 0) return i;
        i += n;
    }
    return std::string_view::npos;
}

int line_at(std::string_view text, std::size_t offset) {
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
}

// The text of a line (from 0, as yaml-cpp counts them), without its line break.
std::string_view line_text(std::string_view text, int line) {
    std::size_t begin = 0;
    for (int k = 0; k < line; ++k) {
        begin = text.find('\n', begin);
        if (begin == std::string_view::npos) return {};
        ++begin;
    }
    std::string_view rest = text.substr(begin);
    rest = rest.substr(0, rest.find('\n'));
    if (!rest.empty() && rest.back() == '\r') rest.remove_suffix(1);
    return rest;
}

class CrateReader {
  public:
    explicit CrateReader(std::string source) : source_(std::move(source)) {}

    std::optional<Crate> read(const YAML::Node& root) {
        Crate crate;
        if (!root.IsMap()) {
            fail(root, "a crate file is a mapping with the keys name, visa and instruments");
            return std::nullopt;
        }
        if (!check_keys(root, {"name", "visa", "instruments"})) return std::nullopt;
        if (root["name"] && !text(root["name"], kMaxText, crate.name)) return std::nullopt;
        if (YAML::Node visa = root["visa"]) {
            std::string value;
            if (!text(visa, kMaxText, value)) return std::nullopt;
            if (value != "present" && value != "missing") {
                fail(visa, "visa is 'present' or 'missing', not " + shown(value));
                return std::nullopt;
            }
            crate.visa_missing = value == "missing";
        }
        if (YAML::Node list = root["instruments"]) {
            if (!list.IsSequence()) {
                fail(list, "instruments is a list");
                return std::nullopt;
            }
            for (const YAML::Node& node : list) {
                Instrument instrument;
                if (!read_instrument(node, instrument)) return std::nullopt;
                crate.instruments.push_back(std::move(instrument));
            }
        }
        return crate;
    }

    bool fail(const YAML::Node& at, const std::string& reason) {
        return fail_at(at.Mark(), reason);
    }
    bool fail_at(const YAML::Mark& mark, const std::string& reason) {
        return fail_line(mark.line >= 0 ? mark.line + 1 : 1, reason);
    }
    bool fail_line(int line, const std::string& reason) {
        error_ = source_ + ":" + std::to_string(line) + ": " + reason;
        return false;
    }
    // A refusal of the file as a whole, before any line of it is read.
    bool fail_whole(const std::string& reason) {
        error_ = source_ + ": " + reason;
        return false;
    }
    const std::string& error() const { return error_; }

  private:
    // Unknown and repeated keys are refused at the key's own line.
    bool check_keys(const YAML::Node& map, Keys allowed) {
        std::set<std::string> seen;
        for (auto it = map.begin(); it != map.end(); ++it) {
            const YAML::Node key = it->first;  // a copy: the iterator hands out a temporary
            std::string name = key.IsScalar() ? key.Scalar() : std::string();
            bool known = false;
            for (const char* a : allowed) known = known || name == a;
            if (!known) {
                std::string list;
                for (const char* a : allowed) list += (list.empty() ? "" : ", ") + std::string(a);
                return fail(key, "unknown key " + shown(name) + " (expected one of: " + list + ")");
            }
            if (!seen.insert(name).second) return fail(key, "key " + shown(name) + " given twice");
        }
        return true;
    }

    bool integer(const YAML::Node& node, const std::string& what, int64_t min, int64_t max,
                 int64_t& out) {
        auto value = node.IsScalar() ? parse_integer(node.Scalar()) : std::nullopt;
        if (!value) return fail(node, what + " must be a whole number");
        if (*value < min || *value > max) {
            return fail(node, what + " " + node.Scalar() + " is outside " + std::to_string(min) +
                                  " to " + std::to_string(max));
        }
        out = *value;
        return true;
    }

    template <class T>
    bool optional_integer(const YAML::Node& map, const char* key, int64_t min, int64_t max,
                          std::optional<T>& out) {
        YAML::Node node = map[key];
        if (!node) return true;
        int64_t value = 0;
        if (!integer(node, key, min, max, value)) return false;
        out = static_cast<T>(value);
        return true;
    }

    // Texts reach the drivers' fixed buffers, the panels and session recordings: bounded,
    // without NUL (it would cut them short) and UTF-8 also where a YAML escape wrote them.
    bool text(const YAML::Node& node, std::size_t max, std::string& out) {
        if (!node.IsScalar()) return fail(node, "a text is expected here");
        const std::string& value = node.Scalar();
        if (value.size() > max) {
            return fail(node, "text longer than " + std::to_string(max) + " bytes");
        }
        if (std::size_t bad = first_bad_byte(value); bad != std::string::npos) {
            return fail(node, value[bad] == '\0' ? "a text holds no NUL character"
                                                 : "the text is not UTF-8");
        }
        out = value;
        return true;
    }

    bool flag(const YAML::Node& map, const char* key, bool& out) {
        YAML::Node node = map[key];
        if (!node) return true;
        if (node.IsScalar() && (node.Scalar() == "true" || node.Scalar() == "false")) {
            out = node.Scalar() == "true";
            return true;
        }
        return fail(node, std::string(key) + " is true or false");
    }

    bool read_instrument(const YAML::Node& node, Instrument& out) {
        if (!node.IsMap()) return fail(node, "an instrument is a mapping with at least 'resource'");
        if (!check_keys(node, {"resource", "interface_description", "slot", "mainframe_la",
                               "logical_address", "model_code", "manufacturer_id", "carrier"})) {
            return false;
        }
        YAML::Node resource = node["resource"];
        if (!resource) return fail(node, "an instrument needs its 'resource' name");
        if (!text(resource, kMaxResourceName, out.resource)) return false;
        auto info = parse_resource_name(out.resource);
        if (!info) {
            return fail(resource, shown(out.resource) +
                                      " is not a VISA resource name (INTERFACE[board]::address...,"
                                      " with VXI, GPIB-VXI, GPIB, ASRL, PXI, TCPIP or USB)");
        }
        auto [previous, fresh] = names_.emplace(lowered(out.resource), resource.Mark().line + 1);
        if (!fresh) {
            return fail(resource, "resource " + shown(out.resource) +
                                      " is already described at line " +
                                      std::to_string(previous->second));
        }
        if (YAML::Node d = node["interface_description"]) {
            std::string description;
            if (!text(d, kMaxText, description)) return false;
            out.interface_description = description;
        }
        if (!optional_integer(node, "slot", -1, 12, out.slot) ||
            !optional_integer(node, "mainframe_la", -1, 255, out.mainframe_la) ||
            !optional_integer(node, "logical_address", 0, 511, out.logical_address) ||
            !optional_integer(node, "model_code", 0, 0xFFFF, out.model_code) ||
            !optional_integer(node, "manufacturer_id", 0, 0xFFFF, out.manufacturer_id)) {
            return false;
        }
        if (out.logical_address && info->logical_address &&
            *out.logical_address != *info->logical_address) {
            return fail(node["logical_address"],
                        "logical_address " + std::to_string(*out.logical_address) +
                            " differs from the address in the resource name (" +
                            std::to_string(*info->logical_address) + ")");
        }
        if (YAML::Node carrier = node["carrier"]) {
            out.carrier = Carrier{};
            if (!read_carrier(carrier, *out.carrier)) return false;
        }
        return true;
    }

    bool read_carrier(const YAML::Node& node, Carrier& out) {
        if (!node.IsMap())
            return fail(node, "carrier is a mapping (busy, trigger_delay, mezzanines)");
        if (!check_keys(node, {"busy", "trigger_delay", "mezzanines"})) return false;
        if (!flag(node, "busy", out.busy)) return false;
        if (YAML::Node delay = node["trigger_delay"]) {
            if (!read_delay(delay, out.trigger_delay)) return false;
        }
        YAML::Node list = node["mezzanines"];
        if (!list) return true;
        if (!list.IsSequence()) return fail(list, "mezzanines is a list");
        std::map<int, int> positions;  // position -> line
        for (const YAML::Node& m : list) {
            Mezzanine mezzanine;
            if (!read_mezzanine(m, mezzanine)) return false;
            int line = m["position"].Mark().line + 1;
            auto [previous, fresh] = positions.emplace(mezzanine.position, line);
            if (!fresh) {
                return fail(m["position"], "position " + std::to_string(mezzanine.position) +
                                               " is already taken at line " +
                                               std::to_string(previous->second));
            }
            out.mezzanines.push_back(std::move(mezzanine));
        }
        return true;
    }

    bool read_delay(const YAML::Node& node, std::optional<double>& out) {
        if (node.IsScalar() && node.Scalar() == "never") {
            out.reset();
            return true;
        }
        const std::string s = node.IsScalar() ? node.Scalar() : std::string();
        char* end = nullptr;
        double value = s.empty() ? NAN : std::strtod(s.c_str(), &end);
        if (s.empty() || *end != '\0' || !std::isfinite(value) || value < 0 ||
            value > kMaxTriggerDelay) {
            return fail(node, "trigger_delay is a number of seconds from 0 to 3600, or 'never'");
        }
        out = value;
        return true;
    }

    bool read_mezzanine(const YAML::Node& node, Mezzanine& out) {
        if (!node.IsMap()) return fail(node, "a mezzanine is a mapping with at least 'position'");
        if (!check_keys(
                node, {"position", "type", "hardware_revision", "test_connector", "connect_warning",
                       "self_test", "broken_channels", "stuck_channels"})) {
            return false;
        }
        YAML::Node position = node["position"];
        if (!position) return fail(node, "a mezzanine needs its 'position' (1 to 4)");
        int64_t value = 0;
        if (!integer(position, "position", 1, kPositions, value)) return false;
        out.position = static_cast<int>(value);
        if (YAML::Node type = node["type"]) {
            if (!integer(type, "type", 0, 32767, value)) return false;
            out.type = static_cast<int>(value);
        }
        if (!out.is_qorm()) {
            for (const char* key : {"hardware_revision", "test_connector", "connect_warning",
                                    "self_test", "broken_channels", "stuck_channels"}) {
                if (node[key]) {
                    return fail(node[key], std::string(key) +
                                               " describes a QORM (type 12), not type " +
                                               std::to_string(out.type));
                }
            }
            return true;
        }
        if (YAML::Node revision = node["hardware_revision"]) {
            if (!text(revision, kMaxRevision, out.hardware_revision)) return false;
        }
        if (!flag(node, "test_connector", out.test_connector) ||
            !flag(node, "connect_warning", out.connect_warning)) {
            return false;
        }
        if (YAML::Node self_test = node["self_test"]) {
            if (!read_self_test(self_test, out)) return false;
        }
        if (YAML::Node broken = node["broken_channels"]) {
            if (!read_broken(broken, out)) return false;
        }
        if (YAML::Node stuck = node["stuck_channels"]) {
            if (!read_stuck(stuck, out)) return false;
        }
        return true;
    }

    bool read_self_test(const YAML::Node& node, Mezzanine& out) {
        if (!node.IsMap()) return fail(node, "self_test is a mapping (result, text)");
        if (!check_keys(node, {"result", "text"})) return false;
        if (!node["result"]) return fail(node, "self_test needs its 'result' (not 0)");
        int64_t result = 0;
        if (!integer(node["result"], "result", -32768, 32767, result)) return false;
        if (result == 0) return fail(node["result"], "result 0 is a pass; leave self_test out");
        SelfTestFailure failure;
        failure.result = static_cast<int16_t>(result);
        if (YAML::Node t = node["text"]) {
            if (!text(t, kMaxText, failure.text)) return false;
        }
        out.self_test_failure = failure;
        return true;
    }

    bool read_broken(const YAML::Node& node, Mezzanine& out) {
        if (!node.IsSequence()) return fail(node, "broken_channels is a list of channels 1 to 30");
        for (const YAML::Node& item : node) {
            int64_t channel = 0;
            if (!integer(item, "channel", 1, kChannels, channel)) return false;
            for (int b : out.broken_channels) {
                if (b == channel)
                    return fail(item, "channel " + std::to_string(b) + " listed twice");
            }
            out.broken_channels.push_back(static_cast<int>(channel));
        }
        return true;
    }

    bool read_stuck(const YAML::Node& node, Mezzanine& out) {
        if (!node.IsMap()) {
            return fail(node, "stuck_channels maps a channel (1 to 30) to its state code (0 to 3)");
        }
        for (auto it = node.begin(); it != node.end(); ++it) {
            int64_t channel = 0;
            int64_t state = 0;
            if (!integer(it->first, "channel", 1, kChannels, channel) ||
                !integer(it->second, "state", 0, 3, state)) {
                return false;
            }
            if (!out.stuck_channels.emplace(static_cast<int>(channel), static_cast<int>(state))
                     .second) {
                return fail(it->first, "channel " + std::to_string(channel) + " listed twice");
            }
        }
        return true;
    }

    std::string source_;
    std::string error_;
    std::map<std::string, int> names_;  // lower-case resource name -> line
};

// A limit of the structure pass that was hit, where it was hit.
struct StructureRefusal {
    YAML::Mark mark;
    std::string reason;
};

// Thrown by the pass over the second document as soon as it starts: its start is all it needs.
struct SecondDocument {
    YAML::Mark mark;
};

// The first pass over the parser's events: it counts the values and the depth of nesting and
// stops at the first limit it hits, before yaml-cpp's own recursion goes deep or a tree is
// built.
class StructureCheck : public YAML::EventHandler {
  public:
    void OnDocumentStart(const YAML::Mark&) override {}
    void OnDocumentEnd() override {}
    void OnNull(const YAML::Mark& mark, YAML::anchor_t) override { value(mark); }
    void OnAlias(const YAML::Mark& mark, YAML::anchor_t) override { value(mark); }
    void OnScalar(const YAML::Mark& mark, const std::string&, YAML::anchor_t,
                  const std::string&) override {
        value(mark);
    }
    void OnSequenceStart(const YAML::Mark& mark, const std::string&, YAML::anchor_t,
                         YAML::EmitterStyle::value) override {
        open(mark);
    }
    void OnSequenceEnd() override { --depth_; }
    void OnMapStart(const YAML::Mark& mark, const std::string&, YAML::anchor_t,
                    YAML::EmitterStyle::value) override {
        open(mark);
    }
    void OnMapEnd() override { --depth_; }

  private:
    void value(const YAML::Mark& mark) {
        if (++values_ > kMaxCrateValues) {
            throw StructureRefusal{mark, "more than " + std::to_string(kMaxCrateValues) +
                                             " values; a crate file holds at most that many"};
        }
    }
    void open(const YAML::Mark& mark) {
        value(mark);
        if (++depth_ > kMaxCrateNesting) {
            throw StructureRefusal{mark, "lists and mappings nested deeper than " +
                                             std::to_string(kMaxCrateNesting) +
                                             " levels; a crate file needs at most 7"};
        }
    }
    std::size_t values_ = 0;
    int depth_ = 0;
};

class DocumentStart : public YAML::EventHandler {
  public:
    void OnDocumentStart(const YAML::Mark& mark) override { throw SecondDocument{mark}; }
    void OnDocumentEnd() override {}
    void OnNull(const YAML::Mark&, YAML::anchor_t) override {}
    void OnAlias(const YAML::Mark&, YAML::anchor_t) override {}
    void OnScalar(const YAML::Mark&, const std::string&, YAML::anchor_t,
                  const std::string&) override {}
    void OnSequenceStart(const YAML::Mark&, const std::string&, YAML::anchor_t,
                         YAML::EmitterStyle::value) override {}
    void OnSequenceEnd() override {}
    void OnMapStart(const YAML::Mark&, const std::string&, YAML::anchor_t,
                    YAML::EmitterStyle::value) override {}
    void OnMapEnd() override {}
};

// The pass before the tree is built. False with the reader's error set when the text is refused.
bool check_structure(std::string_view text, CrateReader& reader) {
    std::istringstream in{std::string(text)};
    YAML::Parser parser(in);
    try {
        StructureCheck check;
        if (!parser.HandleNextDocument(check)) {
            return reader.fail_at(YAML::Mark(),
                                  "the file is empty; a crate file is a mapping with an "
                                  "'instruments' list");
        }
        if (!parser) return true;
        // Something is left after the first document: a second one, or text the parser could
        // not take (it leaves such text where it is, so looking once more is enough).
        DocumentStart second;
        parser.HandleNextDocument(second);
        return reader.fail_at(YAML::Mark(), "unexpected text after the first YAML document");
    } catch (const SecondDocument& d) {
        const std::string_view line = line_text(text, d.mark.line);
        if (line.starts_with("---") || line.starts_with("%")) {
            return reader.fail_at(d.mark, "a crate file holds one YAML document, not several");
        }
        return reader.fail_at(
            d.mark, "unexpected " + shown(trimmed(line)) + ": a crate file is one YAML mapping");
    } catch (const StructureRefusal& r) {
        return reader.fail_at(r.mark, r.reason);
    } catch (const YAML::Exception& e) {
        return reader.fail_at(e.mark, e.msg);
    }
}

}  // namespace

std::optional<Crate> load_crate_text(std::string_view text, const std::string& source,
                                     std::string* error) {
    CrateReader reader(source);
    std::optional<Crate> crate;
    try {
        if (text.size() > kMaxCrateBytes) {
            reader.fail_whole("the file is larger than " + std::to_string(kMaxCrateBytes >> 10) +
                              " KiB; a crate file is at most that long");
        } else if (std::size_t bad = first_bad_byte(text); bad != std::string_view::npos) {
            char byte[8];
            std::snprintf(byte, sizeof byte, "%02X", static_cast<unsigned char>(text[bad]));
            reader.fail_line(line_at(text, bad),
                             text[bad] == '\0'
                                 ? std::string("a NUL byte; a crate file is text")
                                 : "the byte " + std::string(byte) +
                                       " is not UTF-8 text; a crate file is written in UTF-8");
        } else if (check_structure(text, reader)) {
            const YAML::Node root = YAML::Load(std::string(text));
            crate = reader.read(root);
        }
    } catch (const YAML::Exception& e) {
        reader.fail_at(e.mark, e.msg);
    } catch (const std::exception& e) {
        // Out of memory, mostly: the file is refused rather than the program ended.
        reader.fail_at(YAML::Mark(), e.what());
    }
    if (!crate && error) *error = reader.error();
    return crate;
}

std::optional<Crate> load_crate_file(const std::string& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error) *error = path + ": cannot open the file";
        return std::nullopt;
    }
    // One byte past the limit is enough to refuse the file, however long it is (or a device that
    // never ends).
    std::string content;
    char chunk[64 * 1024];
    while (content.size() <= kMaxCrateBytes && in.read(chunk, sizeof chunk).gcount() > 0) {
        content.append(chunk, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        if (error) *error = path + ": cannot read the file";
        return std::nullopt;
    }
    return load_crate_text(content, path, error);
}

}  // namespace sim
