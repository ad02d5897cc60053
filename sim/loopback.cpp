#include "loopback.h"

#include "kelqorm.h"
#include "sim/status.h"

namespace sim {

LoopbackReport loopback_report(const Module& module) {
    LoopbackReport report;
    if (!module.description().test_connector) {
        report.lines.push_back({0, KELQORM_LINE_FAULT,
                                "Нет ответа ни по одному каналу: соединитель QORM-Z не подключён"});
        report.result = kZtestNoConnector;
        report.summary = "Соединитель QORM-Z не обнаружен";
        return report;
    }
    std::string faulty;
    for (int ch = 1; ch <= kChannels; ++ch) {
        const std::string name = "Канал " + std::to_string(ch) + ": ";
        const int16_t channel = static_cast<int16_t>(ch);
        if (module.broken(ch)) {
            report.lines.push_back(
                {channel, KELQORM_LINE_FAULT, name + "линия 1 - нет ответа, линия 2 - нет ответа"});
        } else if (int stuck = module.stuck_state(ch); stuck >= 0) {
            report.lines.push_back(
                {channel, KELQORM_LINE_FAULT,
                 name + "не переключается, всегда состояние " + std::to_string(stuck)});
        } else {
            report.lines.push_back(
                {channel, KELQORM_LINE_PROGRESS, name + "линия 1 - норма, линия 2 - норма"});
            continue;
        }
        ++report.result;
        faulty += (faulty.empty() ? "" : ", ") + std::to_string(ch);
    }
    report.summary = report.result == 0 ? "Ошибок не найдено" : "Неисправные каналы: " + faulty;
    return report;
}

}  // namespace sim
