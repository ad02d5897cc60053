/* plain_host: a host program that knows the QORM front panel only by its four exports, as the
 * author of a carrier's own front panel writes one. It opens the carrier itself through VISA and
 * the carrier driver (linked by their system names, libvisa.so and libkelbase.so), loads the
 * front-panel library at run time, finds qorm_init, qorm_display, qorm_hide and qorm_close by
 * name, and opens and closes instances on the carrier's QORM, checking every status against the
 * host contract. On Windows the system libraries are visa32.dll and KELBASE_32.dll, linked
 * through their import libraries, and the library is loaded with LoadLibraryW.
 *
 *   plain_host [LIBRARY [CARRIER [INSTANCES [view]]]]
 *
 * LIBRARY is libqorm.so (found on the library path), on Windows qorm.dll (found beside the
 * program first), unless given; CARRIER the carrier's VISA resource (VXI0::8::INSTR); INSTANCES
 * how many instances are opened and closed (100). With view (Windows, on a desktop) one more
 * instance is shown with qorm_display and closed from the host's own timer.
 *
 * On the stand-in system libraries (lib/qorm-sim/ on LD_LIBRARY_PATH; on Windows the DLLs of
 * bin/qorm-sim/ beside the program) the host also asks the simulated crate how many sessions are
 * open, when it exports qorm_sim_open_sessions: every session the front panel opened must be
 * closed again, and none is left once the host has closed its own.
 *
 * Exit status: 0 when everything was as the contract says, 1 when a call was not, 2 when the
 * carrier could not be opened or the library not loaded. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "kelbase.h"
#include "kelqorm.h" /* KELQORM_TYPE_CODE, what the carrier driver reports for a QORM */
#include "qorm.h"
#include "visa.h"

/* The convention of the four exports: stdcall on 32-bit Windows, the platform's own elsewhere. */
#if defined(_WIN32) && !defined(_WIN64)
#define HOST_CALL __stdcall
#else
#define HOST_CALL
#endif

/* Loading a library and finding a function in it: dlopen and dlsym, or on Windows LoadLibraryW
 * and GetProcAddress, with the library's name taken from the wide command line (the ANSI argv
 * loses letters outside its code page). Both give the error as a UTF-8 text. */
#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>

typedef HMODULE LibraryHandle;
static const char kDefaultLibrary[] = "qorm.dll";
static const char kCrateLibrary[] = "qorm_sim_crate.dll";

/* Argument i of the program in UTF-8, or NULL; read once from the wide command line into texts
 * that live as long as the program. */
static const char* argument(int argc, char** argv, int i) {
    static char* texts[8];
    static int count = -1;
    if (count < 0) {
        int n = 0, k;
        LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &n);
        count = 0;
        for (k = 0; wide != NULL && k < n && k < 8; ++k) {
            const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide[k], -1, NULL, 0, NULL, NULL);
            texts[k] = bytes > 0 ? (char*)malloc((size_t)bytes) : NULL;
            if (texts[k] == NULL) break;
            WideCharToMultiByte(CP_UTF8, 0, wide[k], -1, texts[k], bytes, NULL, NULL);
            count = k + 1;
        }
        if (wide != NULL) LocalFree(wide);
    }
    (void)argc;
    (void)argv;
    return i < count ? texts[i] : NULL;
}

static void print_load_error(const char* path) {
    const DWORD code = GetLastError();
    WCHAR wide[512];
    char text[1024] = "";
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, code,
                             0, wide, sizeof wide / sizeof wide[0], NULL);
    while (n > 0 && (wide[n - 1] == L'\r' || wide[n - 1] == L'\n' || wide[n - 1] == L' '))
        wide[--n] = 0;
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, NULL, NULL);
    fprintf(stderr, "plain_host: библиотека %s не загружается: ошибка Windows %lu%s%s\n", path,
            (unsigned long)code, text[0] ? ": " : "", text);
}

static LibraryHandle open_library(const char* utf8_path) {
    LibraryHandle handle = NULL;
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8_path, -1, NULL, 0);
    WCHAR* wide = n > 0 ? (WCHAR*)malloc((size_t)n * sizeof(WCHAR)) : NULL;
    if (wide != NULL) {
        MultiByteToWideChar(CP_UTF8, 0, utf8_path, -1, wide, n);
        handle = LoadLibraryW(wide);
        free(wide);
    }
    if (handle == NULL) print_load_error(utf8_path);
    return handle;
}

static void* library_function(LibraryHandle library, const char* name) {
    FARPROC address = GetProcAddress(library, name);
    void* result;
    memcpy(&result, &address, sizeof result);
    return result;
}

static void close_library(LibraryHandle library) {
    FreeLibrary(library);
}

/* The crate's session count, where the stand-ins loaded it into the process. */
static void* crate_function(const char* name) {
    HMODULE crate = GetModuleHandleA(kCrateLibrary);
    return crate != NULL ? library_function(crate, name) : NULL;
}
#else
#include <dlfcn.h>

typedef void* LibraryHandle;
static const char kDefaultLibrary[] = "libqorm.so";

static const char* argument(int argc, char** argv, int i) {
    return i < argc ? argv[i] : NULL;
}

static LibraryHandle open_library(const char* path) {
    LibraryHandle handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (handle == NULL) fprintf(stderr, "plain_host: библиотека не загружается: %s\n", dlerror());
    return handle;
}

/* POSIX guarantees that an address from dlsym converts to a function pointer. */
static void* library_function(LibraryHandle library, const char* name) {
    return dlsym(library, name);
}

static void close_library(LibraryHandle library) {
    dlclose(library);
}

static void* crate_function(const char* name) {
    return dlsym(RTLD_DEFAULT, name);
}
#endif

typedef ViStatus(HOST_CALL* InitFn)(ViSession, ViUInt16, ViBoolean, ViBoolean, ModuleInstance**);
typedef ViStatus(HOST_CALL* RecordFn)(ModuleInstance*);
typedef ViStatus(HOST_CALL* CloseFn)(ModuleInstance**);
typedef int (*SessionCountFn)(void);

struct FrontPanelLibrary {
    LibraryHandle handle;
    InitFn init;
    RecordFn display;
    RecordFn hide;
    CloseFn close;
};

static int failures = 0;

static void expect(int holds, const char* what) {
    if (!holds) {
        fprintf(stderr, "plain_host: НЕВЕРНО: %s\n", what);
        ++failures;
    }
}

static void expect_status(ViStatus got, ViStatus wanted, const char* call) {
    if (got != wanted) {
        fprintf(stderr, "plain_host: НЕВЕРНО: %s вернула %08X, ожидалось %08X\n", call,
                (unsigned)got, (unsigned)wanted);
        ++failures;
    }
}

static void* find(LibraryHandle library, const char* name) {
    void* address = library_function(library, name);
    if (address == NULL) fprintf(stderr, "plain_host: в библиотеке нет функции %s\n", name);
    return address;
}

static int load_front_panel(const char* path, struct FrontPanelLibrary* lib) {
    void* init;
    void* display;
    void* hide;
    void* close;
    lib->handle = open_library(path);
    if (lib->handle == NULL) return 0;
    init = find(lib->handle, "qorm_init");
    display = find(lib->handle, "qorm_display");
    hide = find(lib->handle, "qorm_hide");
    close = find(lib->handle, "qorm_close");
    if (!init || !display || !hide || !close) return 0;
    memcpy(&lib->init, &init, sizeof init);
    memcpy(&lib->display, &display, sizeof display);
    memcpy(&lib->hide, &hide, sizeof hide);
    memcpy(&lib->close, &close, sizeof close);
    return 1;
}

/* What the front panel must report as the module's place, worked out from the carrier's VISA
 * attributes as a host would show it. */
static void expected_location(ViSession carrier, ViUInt16 position, char* text, size_t size) {
    char interface_name[VI_FIND_BUFLEN] = "";
    char name[VI_FIND_BUFLEN] = "";
    ViInt16 mainframe = 0, slot = 0;
    viGetAttribute(carrier, VI_ATTR_INTF_INST_NAME, interface_name);
    if (strncmp(interface_name, "USB", 3) == 0 || strncmp(interface_name, "TCPIP", 5) == 0) {
        viGetAttribute(carrier, VI_ATTR_RSRC_NAME, name);
        snprintf(text, size, "%s, мез.№ %d", name, (int)position);
    } else {
        viGetAttribute(carrier, VI_ATTR_MAINFRAME_LA, &mainframe);
        viGetAttribute(carrier, VI_ATTR_SLOT, &slot);
        snprintf(text, size, "кр.%d, сл.%d, мез.№ %d", (int)mainframe, (int)slot, (int)position);
    }
}

/* The calls the contract answers with -1: no instance address, no record. */
static void check_null_arguments(const struct FrontPanelLibrary* lib, ViSession carrier,
                                 ViUInt16 position) {
    ModuleInstance* none = NULL;
    expect_status(lib->init(carrier, position, VI_TRUE, VI_TRUE, NULL), -1, "qorm_init(NULL)");
    expect_status(lib->close(&none), -1, "qorm_close(&NULL)");
    expect_status(lib->hide(NULL), -1, "qorm_hide(NULL)");
    expect_status(lib->display(NULL), -1, "qorm_display(NULL)");
}

/* An instance on a position without a QORM: the driver's negative status, the variable null. */
static void check_empty_position(const struct FrontPanelLibrary* lib, ViSession carrier,
                                 ViUInt16 empty) {
    ModuleInstance* record = (ModuleInstance*)(intptr_t)7; /* the host's own panel handle */
    const ViStatus st = lib->init(carrier, empty, VI_TRUE, VI_TRUE, &record);
    expect(st < 0, "qorm_init на пустой позиции не вернула ошибку");
    expect(record == NULL, "после неудачной qorm_init переменная не пуста");
    if (st >= 0 && record != NULL) lib->close(&record);
}

/* One instance opened and closed; the first one is also offered to qorm_display, which has no
 * view to show it in (on Linux unless the host chose one; on Windows where the system makes no
 * windows, as under wine without a display): it must refuse and leave the record as it was. */
static void open_and_close(const struct FrontPanelLibrary* lib, ViSession carrier,
                           ViUInt16 position, const char* location, int try_display) {
    ModuleInstance* record = NULL;
    ModuleInstance before;
    expect_status(lib->init(carrier, position, VI_TRUE, VI_TRUE, &record), 0, "qorm_init");
    if (record == NULL) {
        expect(0, "qorm_init не дала экземпляра");
        return;
    }
    expect(record->session != 0, "у экземпляра нет сеанса драйвера");
    expect(record->mezzanine_number == position, "не та позиция мезонина");
    expect(record->carrier_panel == 0, "панель носителя не та, что передана");
    expect(record->display_active == 0, "экземпляр показан без qorm_display");
    expect(strcmp(record->location_text, location) == 0, "не то место модуля");
    expect_status(lib->hide(record), 0, "qorm_hide");
    if (try_display) {
        memcpy(&before, record, sizeof before);
        expect_status(lib->display(record), -1, "qorm_display без окна");
        expect(memcmp(&before, record, sizeof before) == 0,
               "qorm_display без окна изменила запись");
    }
    expect_status(lib->close(&record), 0, "qorm_close");
}

#ifdef _WIN32
/* With windows (qorm.dll's own view on a desktop): the front panel is shown with qorm_display,
 * which runs until the instance is closed, and the host closes it from its own timer, as a
 * carrier's front panel closes its modules' panels. The timer is the thread's, delivered by the
 * front panel's own message loop. */
static const struct FrontPanelLibrary* g_shown_lib;
static ModuleInstance* g_shown;
static ViStatus g_close_from_timer = -2;

static void CALLBACK close_from_timer(HWND window, UINT message, UINT_PTR timer, DWORD time) {
    (void)window;
    (void)message;
    (void)time;
    KillTimer(NULL, timer);
    g_close_from_timer = g_shown_lib->close(&g_shown);
}

static void show_and_close_from_timer(const struct FrontPanelLibrary* lib, ViSession carrier,
                                      ViUInt16 position) {
    ModuleInstance* record = NULL;
    expect_status(lib->init(carrier, position, VI_TRUE, VI_TRUE, &record), 0, "qorm_init");
    if (record == NULL) return;
    g_shown_lib = lib;
    g_shown = record;
    expect(SetTimer(NULL, 0, 500, close_from_timer) != 0, "SetTimer не поставил таймер");
    expect_status(lib->display(record), 0, "qorm_display в окнах");
    expect_status(g_close_from_timer, 0, "qorm_close из таймера хоста");
    /* The run has released the instance: the host's variable is stale now and is refused. */
    expect_status(lib->close(&g_shown), -1, "qorm_close после конца показа");
}
#endif

int main(int argc, char** argv) {
    const char* library;
    const char* resource;
    int instances;
    ViSession rm = 0, carrier = 0;
    ViUInt16 position = 0, empty = 0, p;
    ViStatus st;
    struct FrontPanelLibrary lib;
    SessionCountFn open_sessions;
    void* count_address;
    int before_instances = 0, i, shown;
    char location[QORM_LOCATION_LEN];

    /* Unbuffered, so a host stopped from outside (a test's time limit) still shows how far it
     * came. */
    setvbuf(stdout, NULL, _IONBF, 0);
    library = argument(argc, argv, 1) ? argument(argc, argv, 1) : kDefaultLibrary;
    resource = argument(argc, argv, 2) ? argument(argc, argv, 2) : "VXI0::8::INSTR";
    instances = argument(argc, argv, 3) ? atoi(argument(argc, argv, 3)) : 100;
    shown = argument(argc, argv, 4) != NULL && strcmp(argument(argc, argv, 4), "view") == 0;

#ifndef _WIN32
    if (shown) {
        fprintf(stderr, "plain_host: view — только в Windows: здесь у библиотеки нет своих окон\n");
        return 2;
    }
#endif
    st = viOpenDefaultRM(&rm);
    if (st < 0) {
        fprintf(stderr, "plain_host: viOpenDefaultRM вернула %08X\n", (unsigned)st);
        return 2;
    }
    st = kelbase_init((ViRsrc)resource, VI_TRUE, VI_TRUE, &carrier);
    if (st < 0) {
        fprintf(stderr, "plain_host: носитель %s не открывается: kelbase_init вернула %08X\n",
                resource, (unsigned)st);
        viClose(rm);
        return 2;
    }
    for (p = 1; p <= KELBASE_POSITIONS; ++p) {
        ViInt16 present = 0, type = 0;
        if (kelbase_m_type_q(carrier, p, &present, &type) < 0) continue;
        if (present && type == KELQORM_TYPE_CODE && position == 0) position = p;
        if (!present && empty == 0) empty = p;
    }
    if (position == 0) {
        fprintf(stderr, "plain_host: на носителе %s нет модуля QORM\n", resource);
        viClose(carrier);
        viClose(rm);
        return 2;
    }
    if (!load_front_panel(library, &lib)) {
        viClose(carrier);
        viClose(rm);
        return 2;
    }

    /* Only the stand-ins have it: a real VISA is asked nothing beyond its operations. */
    count_address = crate_function("qorm_sim_open_sessions");
    memcpy(&open_sessions, &count_address, sizeof count_address);
    if (open_sessions) before_instances = open_sessions();

    check_null_arguments(&lib, carrier, position);
    if (empty != 0) check_empty_position(&lib, carrier, empty);
    expected_location(carrier, position, location, sizeof location);
    /* Shown in windows, qorm_display does not refuse: the first instance is offered to it
     * only where there are none to show it in. */
    for (i = 0; i < instances; ++i)
        open_and_close(&lib, carrier, position, location, i == 0 && !shown);
#ifdef _WIN32
    if (shown) show_and_close_from_timer(&lib, carrier, position);
#endif

    if (open_sessions)
        expect(open_sessions() == before_instances, "экземпляры оставили открытые сеансы");
    expect_status(viClose(carrier), VI_SUCCESS, "viClose(носитель)");
    expect_status(viClose(rm), VI_SUCCESS, "viClose(менеджер ресурсов)");
    if (open_sessions) {
        const int left = open_sessions();
        expect(left == 0, "в конце остались открытые сеансы");
        printf("plain_host: открытых сеансов в конце: %d\n", left);
    }
    close_library(lib.handle);

    printf("plain_host: экземпляров открыто и закрыто: %d на %s, мез.№ %d; %s\n", instances,
           resource, (int)position, failures == 0 ? "всё по договору" : "есть ошибки");
    return failures == 0 ? 0 : 1;
}
