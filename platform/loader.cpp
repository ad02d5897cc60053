#include "loader.h"

#include <memory>

#include "call_text.h"
#include "library_loader.h"

namespace platform {

namespace {

// A loaded table with the texts its origin and its context point to. Kept for the life of the
// process.
template <class Api>
struct Loaded {
    Api table{};
    std::string origin;
    std::string missing_text;
};

template <class Api>
std::vector<std::unique_ptr<Loaded<Api>>>& loaded_tables() {
    static std::vector<std::unique_ptr<Loaded<Api>>> tables;
    return tables;
}

std::string label_of(const std::vector<std::string>& candidates) {
    return candidates.empty() ? std::string("(не указана)") : join(candidates, ", ");
}

template <class Api, class LoadFn>
const Api* load(const std::vector<std::string>& candidates, std::string* problem, LoadFn fill) {
    auto loaded = std::make_unique<Loaded<Api>>();
    std::string label = label_of(candidates);
    detail::LoadOutcome outcome = fill(*loaded, label);
    loaded->origin = outcome.loaded_from.empty() ? label : outcome.loaded_from;
    loaded->table.origin = loaded->origin.c_str();
    loaded->table.simulated = false;
    if (problem) *problem = outcome.problem;
    auto& tables = loaded_tables<Api>();
    tables.push_back(std::move(loaded));
    return &tables.back()->table;
}

}  // namespace

const VisaApi* load_visa(const std::vector<std::string>& candidates, std::string* problem) {
    return load<VisaApi>(candidates, problem, [&](Loaded<VisaApi>& l, const std::string& label) {
        return detail::load_into(l.table, candidates, label);
    });
}

const KelqormApi* load_kelqorm(const std::vector<std::string>& candidates, std::string* problem) {
    return load<KelqormApi>(
        candidates, problem, [&](Loaded<KelqormApi>& l, const std::string& label) {
            return detail::load_into(l.table, candidates, label, l.missing_text);
        });
}

const KelbaseApi* load_kelbase(const std::vector<std::string>& candidates, std::string* problem) {
    return load<KelbaseApi>(candidates, problem,
                            [&](Loaded<KelbaseApi>& l, const std::string& label) {
                                return detail::load_into(l.table, candidates, label);
                            });
}

}  // namespace platform
