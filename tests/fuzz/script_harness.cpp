#include <string>
#include <string_view>

#include "harnesses.h"
#include "script.h"
#include "script_text.h"

namespace fuzz {

int script(const uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    app::script::ParseError error;
    const auto parsed = app::script::parse(text, {.simulated = true}, &error);
    if (!parsed) {
        require(!error.reason.empty());
        require(error.reason.find('\n') == std::string::npos);
        require(error.line >= 0);
        return 0;
    }
    // Every text a script holds is written back as the recorder writes it and read again
    // unchanged.
    for (const app::script::Step& step : parsed->steps) {
        if (step.value.kind != app::script::Value::Kind::text) continue;
        const std::string line = "check popup " + app::script::quote(step.title) + " " +
                                 app::script::quote(step.value.text);
        const auto again = app::script::parse(line, {}, nullptr);
        require(again.has_value() && again->steps.size() == 1);
        require(again->steps[0].value.text == step.value.text);
    }
    return 0;
}

}  // namespace fuzz
