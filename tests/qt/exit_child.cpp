// A program on the Qt view that makes its own application through the backend, shows a panel
// and ends, with uir::shutdown or without it (as the qorm program does). Run by exit_test.cpp.
#include <cstring>

#include "uir/qt.h"
#include "uir/runtime.h"
#include "userint.h"

int main(int argc, char** argv) {
    uir::use_backend(uir::qt::make_backend());
    if (InitUserInterface() < 0) return 3;
    const int panel = NewPanel(0, "Выход", 10, 10, 120, 200);
    NewCtrl(panel, CTRL_NUMERIC, "Число", 10, 60);
    NewCtrl(panel, CTRL_STRING, "Текст", 40, 60);
    NewCtrl(panel, CTRL_COMMAND_BUTTON, "__OK", 80, 60);
    DisplayPanel(panel);
    ProcessSystemEvents();
    if (argc > 1 && std::strcmp(argv[1], "shutdown") == 0) uir::shutdown();
    return 0;
}
