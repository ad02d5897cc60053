// The operator-facing text of each run-time status.
#include "userint.h"

namespace {

struct StatusText {
    int status;
    const char* text;
};

constexpr StatusText kTexts[] = {
    {UIE_NO_ERROR, "Нет ошибки"},
    {UIE_NOT_STARTED, "Интерфейс пользователя не запущен"},
    {UIE_BACKEND_FAILED, "Не удалось запустить интерфейс пользователя (нет дисплея?)"},
    {UIE_INVALID_PANEL, "Неверный дескриптор панели"},
    {UIE_INVALID_CONTROL, "На панели нет элемента с таким идентификатором"},
    {UIE_TYPE_MISMATCH, "Тип значения не соответствует элементу или атрибуту"},
    {UIE_OUT_OF_RANGE, "Значение или индекс вне допустимого диапазона"},
    {UIE_INVALID_ATTRIBUTE, "Атрибут неизвестен или неприменим к этому объекту"},
    {UIE_NO_VALUE, "Элемент этого вида не имеет значения"},
    {UIE_NULL_POINTER, "Передан нулевой указатель"},
    {UIE_LAYOUT_NOT_FOUND, "Файл описания панелей не найден"},
    {UIE_PANEL_NOT_IN_LAYOUT, "В файле описания нет панели с таким идентификатором"},
    {UIE_UNKNOWN_CALLBACK, "Описание панели ссылается на незарегистрированную функцию"},
    {UIE_NO_ITEM, "Нет элемента списка с таким значением, или список пуст"},
    {UIE_INVALID_MENU, "Неверная строка меню, меню или пункт меню"},
    {UIE_NOT_OPERABLE, "Элемент недоступен оператору (погашен, скрыт или только для индикации)"},
    {UIE_WAIT_NEVER_ENDS, "Ожидание никогда не закончится: нет событий, таймеров и действий"},
    {UIE_OUT_OF_MEMORY, "Недостаточно памяти"},
    {UIE_INVALID_ARGUMENT, "Недопустимый аргумент"},
    {UIE_TIME_LIMIT, "Достигнут предел виртуального времени"},
    {UIE_NO_BACKEND,
     "Не выбран вид интерфейса пользователя: программа не выбрала его, а в сборке нет вида по "
     "умолчанию"},
};

}  // namespace

const char* GetUILErrorString(int status) {
    for (const auto& t : kTexts)
        if (t.status == status) return t.text;
    return "Неизвестный код состояния интерфейса пользователя";
}
