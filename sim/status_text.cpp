#include <array>
#include <cstdio>

#include "sim/status.h"
#include "text.h"

namespace sim {
namespace {

struct StatusEntry {
    ViStatus status;
    const char* name;
    const char* text;
};

constexpr ViStatus p(int n) {
    return error_parameter(n);
}

const std::array kStatuses{
    StatusEntry{VI_SUCCESS, "VI_SUCCESS", "Операция выполнена успешно"},
    StatusEntry{VI_ERROR_SYSTEM_ERROR, "VI_ERROR_SYSTEM_ERROR", "Системная ошибка VISA"},
    StatusEntry{VI_ERROR_INV_OBJECT, "VI_ERROR_INV_OBJECT",
                "Неверный или закрытый сеанс (дескриптор)"},
    StatusEntry{VI_ERROR_INV_EXPR, "VI_ERROR_INV_EXPR", "Неверное выражение поиска ресурсов"},
    StatusEntry{VI_ERROR_RSRC_NFOUND, "VI_ERROR_RSRC_NFOUND", "Ресурс не найден"},
    StatusEntry{VI_ERROR_INV_RSRC_NAME, "VI_ERROR_INV_RSRC_NAME", "Неверное имя ресурса"},
    StatusEntry{VI_ERROR_TMO, "VI_ERROR_TMO", "Истекло время ожидания операции"},
    StatusEntry{VI_ERROR_NSUP_ATTR, "VI_ERROR_NSUP_ATTR", "Атрибут не поддерживается ресурсом"},
    StatusEntry{VI_ERROR_ALLOC, "VI_ERROR_ALLOC", "Не хватает памяти для операции"},
    StatusEntry{VI_ERROR_NSUP_OPER, "VI_ERROR_NSUP_OPER", "Операция не поддерживается ресурсом"},
    StatusEntry{kErrorUserBuf, "VI_ERROR_USER_BUF",
                "Неверный буфер пользователя (нулевой указатель)"},
    StatusEntry{VI_ERROR_RSRC_BUSY, "VI_ERROR_RSRC_BUSY", "Ресурс занят другой программой"},
    StatusEntry{VI_ERROR_LIBRARY_NFOUND, "VI_ERROR_LIBRARY_NFOUND", "Библиотека VISA не найдена"},
    StatusEntry{VI_WARN_NULL_OBJECT, "VI_WARN_NULL_OBJECT", "Закрывать нечего: нулевой сеанс"},
    StatusEntry{p(1), "VI_ERROR_PARAMETER1", "Параметр 1 вне допустимого диапазона"},
    StatusEntry{p(2), "VI_ERROR_PARAMETER2", "Параметр 2 вне допустимого диапазона"},
    StatusEntry{p(3), "VI_ERROR_PARAMETER3", "Параметр 3 вне допустимого диапазона"},
    StatusEntry{p(4), "VI_ERROR_PARAMETER4", "Параметр 4 вне допустимого диапазона"},
    StatusEntry{p(5), "VI_ERROR_PARAMETER5", "Параметр 5 вне допустимого диапазона"},
    StatusEntry{p(6), "VI_ERROR_PARAMETER6", "Параметр 6 вне допустимого диапазона"},
    StatusEntry{p(7), "VI_ERROR_PARAMETER7", "Параметр 7 вне допустимого диапазона"},
    StatusEntry{p(8), "VI_ERROR_PARAMETER8", "Параметр 8 вне допустимого диапазона"},
    StatusEntry{kErrorFailIdQuery, "VI_ERROR_FAIL_ID_QUERY", "Устройство не прошло идентификацию"},
    StatusEntry{kErrorNotConnected, "KELQORM_ERROR_NOT_CONNECTED",
                "Сеанс не подключён к модулю QORM"},
    StatusEntry{kErrorNoModule, "KELQORM_ERROR_NO_MODULE",
                "На этой позиции носителя нет модуля QORM"},
    StatusEntry{kErrorTimeRange, "KELQORM_ERROR_TIME_RANGE",
                "Время вне допустимого диапазона модуля"},
    StatusEntry{kErrorCarrierMismatch, "KELQORM_ERROR_CARRIER_MISMATCH",
                "Сеанс носителя относится к другому носителю"},
    StatusEntry{kWarnConnectFaults, "KELQORM_WARN_CONNECT_FAULTS",
                "Модуль инициализирован с ошибками"},
};

}  // namespace

std::string status_text(ViStatus status) {
    for (const auto& e : kStatuses) {
        if (e.status == status) return e.text;
    }
    char text[96];
    std::snprintf(text, sizeof text, "%s 0x%08X",
                  status < 0 ? "Неизвестная ошибка" : "Неизвестное предупреждение",
                  static_cast<unsigned>(status));
    return text;
}

std::optional<ViStatus> status_by_name(std::string_view name) {
    for (const auto& e : kStatuses) {
        if (iequals(name, e.name)) return e.status;
    }
    return std::nullopt;
}

}  // namespace sim
