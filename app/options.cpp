#include "options.h"

#include <CLI/CLI.hpp>

#include <cstdio>

namespace app {

namespace {

// CLI11 reports in English; the program speaks Russian, in one line.
std::string russian_reason(const CLI::ParseError& error) {
    const std::string what = error.what();
    if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr) {
        std::string extra = what.substr(what.find(':') + 1);
        extra.erase(0, extra.find_first_not_of(' '));
        return "неизвестный параметр или лишний аргумент: " + extra;
    }
    if (dynamic_cast<const CLI::ValidationError*>(&error) != nullptr) {
        return "недопустимое значение параметра: " + what;
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) {
        return "неверное число значений параметра: " + what;
    }
    return "ошибка в командной строке: " + what;
}

}  // namespace

std::optional<Options> parse_options(int argc, char** argv, int* exit_status) {
    Options options;
    CLI::App cli{"Передняя панель мезонина QORM (формирователь токовых команд, 30 каналов)",
                 "qorm"};
    cli.get_formatter()->label("Usage", "Запуск");
    cli.get_formatter()->label("OPTIONS", "ПАРАМЕТРЫ");
    cli.get_formatter()->label("Options", "Параметры");
    cli.get_formatter()->label("TEXT", "ТЕКСТ");
    cli.get_formatter()->label("FILE", "ФАЙЛ");
    cli.option_defaults()->group("Параметры");
    cli.set_help_flag("-h,--help", "Показать эту справку и выйти");

    std::string backend = "qt";
    std::string clock;
    std::string crate;
    auto* sim = cli.add_option("--sim", crate,
                               "Работать на симулированном крейте: встроенном, или описанном "
                               "в файле (--sim=ФАЙЛ)")
                    ->expected(0, 1)
                    ->type_name("[=FILE]");
    auto* backend_option =
        cli.add_option("--backend", backend, "Интерфейс: qt (окна, по умолчанию) или headless")
            ->check(CLI::IsMember({"qt", "headless"}).description(""))
            ->type_name("qt|headless");
    auto* script_option =
        cli.add_option("--script", options.script,
                       "Выполнить сценарий действий оператора и проверок (без окон, если не задано "
                       "--backend=qt; без окон на симулированном крейте на виртуальных часах) и "
                       "выйти: 0 все проверки верны, "
                       "1 проверка не прошла, 2 сценарий не "
                       "прочитан")
            ->type_name("FILE");
    auto* step_delay_option =
        cli.add_option("--step-delay", options.step_delay,
                       "Сценарий в окнах: сколько секунд отмечен элемент перед действием и "
                       "стоит окно сообщения (по умолчанию 0.3)")
            ->check(CLI::Range(0.0, 60.0).description(""))
            ->type_name("SECONDS");
    auto* record_option =
        cli.add_option("--record", options.record,
                       "Записать действия оператора в файл сценария, чтобы повторить их без окон")
            ->type_name("FILE");
    cli.add_option("--clock", clock,
                   "Часы: virtual (виртуальные, только на симулированном крейте без окон; по "
                   "умолчанию там) или real (настоящие секунды; по умолчанию на системных "
                   "библиотеках и в окнах)")
        ->check(CLI::IsMember({"virtual", "real"}).description(""))
        ->type_name("virtual|real");
    auto* trace_option =
        cli.add_option("--trace", options.trace_file,
                       "Печатать каждый вызов VISA и драйверов: аргументы, статус, время; в "
                       "стандартный поток ошибок или в файл (--trace=ФАЙЛ)")
            ->expected(0, 1)
            ->type_name("[=FILE]");
    cli.add_flag("--version", options.version, "Показать версию и выйти");

    try {
        cli.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::fputs(cli.help().c_str(), stdout);
        *exit_status = 0;
        return std::nullopt;
    } catch (const CLI::ParseError& error) {
        std::fprintf(stderr, "qorm: %s (см. qorm --help)\n", russian_reason(error).c_str());
        *exit_status = kUsageError;
        return std::nullopt;
    }
    options.simulated = sim->count() > 0;
    options.trace = trace_option->count() > 0;
    options.crate_file = crate;
    options.backend = backend == "headless" ? Options::Backend::headless : Options::Backend::qt;
    if (!clock.empty())
        options.clock = clock == "virtual" ? Options::Clock::virtual_time : Options::Clock::real;
    for (const auto* file_option : {script_option, record_option}) {
        if (file_option->count() > 0 && file_option->as<std::string>().empty()) {
            std::fprintf(stderr, "qorm: у параметра %s пустое имя файла (см. qorm --help)\n",
                         file_option->get_name().c_str());
            *exit_status = kUsageError;
            return std::nullopt;
        }
    }
    // Without a backend named a script runs headless; --backend=qt plays it in the windows.
    if (!options.script.empty() && backend_option->count() == 0)
        options.backend = Options::Backend::headless;
    if (step_delay_option->count() > 0 &&
        (options.script.empty() || options.backend != Options::Backend::qt)) {
        std::fprintf(stderr,
                     "qorm: --step-delay только для сценария в окнах: --backend=qt --script=ФАЙЛ "
                     "(см. qorm --help)\n");
        *exit_status = kUsageError;
        return std::nullopt;
    }
    return options;
}

}  // namespace app
