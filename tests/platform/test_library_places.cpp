// Where the system libraries are looked for on Windows: VISA the system's, a driver beside the
// program, then in the VXIplug&play WinNT framework, then along the DLL search path.
#include <gmock/gmock.h>

#include <filesystem>
#include <string>
#include <vector>

#include "library_places.h"

#ifdef _WIN32
#include <windows.h>

#include "native.h"
#endif

namespace {

using ::testing::ElementsAre;
namespace places = platform::places;

TEST(WindowsPlaces, ADriverBesideTheProgramThenInTheFrameworkThenOnTheSearchPath) {
    places::WindowsFolders f;
    f.beside = {"C:\\Стенд\\bin", "D:\\host"};
    f.vxipnp_roots = {"C:\\Program Files\\IVI Foundation\\VISA\\", "C:\\VXIPNP"};
    f.system = "C:\\Windows\\system32";
    EXPECT_THAT(
        places::windows_driver("kelqorm_32.dll", "kelqorm", f),
        ElementsAre("C:\\Стенд\\bin\\kelqorm_32.dll", "D:\\host\\kelqorm_32.dll",
                    "C:\\Program Files\\IVI Foundation\\VISA\\WinNT\\Bin\\kelqorm_32.dll",
                    "C:\\Program Files\\IVI Foundation\\VISA\\WinNT\\kelqorm\\kelqorm_32.dll",
                    "C:\\VXIPNP\\WinNT\\Bin\\kelqorm_32.dll",
                    "C:\\VXIPNP\\WinNT\\kelqorm\\kelqorm_32.dll", "kelqorm_32.dll"));
}

// The program's folder and the DLL's are often the same, and VXIPNPPATH usually names the
// registry's root, spelt otherwise: each place is tried once.
TEST(WindowsPlaces, EachPlaceIsTriedOnceWhateverItsSpelling) {
    places::WindowsFolders f;
    f.beside = {"C:\\Stend", "c:/stend/", ""};
    f.vxipnp_roots = {"C:\\VXIPNP", "", "c:\\vxipnp\\"};
    EXPECT_THAT(places::windows_driver("KELBASE_32.dll", "kelbase", f),
                ElementsAre("C:\\Stend\\KELBASE_32.dll", "C:\\VXIPNP\\WinNT\\Bin\\KELBASE_32.dll",
                            "C:\\VXIPNP\\WinNT\\kelbase\\KELBASE_32.dll", "KELBASE_32.dll"));
}

TEST(WindowsPlaces, VisaIsTheSystems) {
    places::WindowsFolders f;
    f.beside = {"C:\\Stend"};
    f.vxipnp_roots = {"C:\\VXIPNP"};
    f.system = "C:\\Windows\\system32";
    EXPECT_THAT(places::windows_visa(f),
                ElementsAre("C:\\Windows\\system32\\visa32.dll", "visa32.dll"));
    f.system.clear();
    EXPECT_THAT(places::windows_visa(f), ElementsAre("visa32.dll"));
}

#ifdef _WIN32

// What this machine says, as the system tables use it.
TEST(WindowsPlaces, ThisMachinesFolders) {
    ASSERT_TRUE(SetEnvironmentVariableW(L"VXIPNPPATH", L"D:\\Приборы\\VXIPNP"));
    const places::WindowsFolders f = places::windows_folders();
    SetEnvironmentVariableW(L"VXIPNPPATH", nullptr);

    ASSERT_FALSE(f.beside.empty());
    EXPECT_EQ(f.beside.front(), platform::native::program_folder());
    ASSERT_FALSE(f.vxipnp_roots.empty());
    EXPECT_EQ(f.vxipnp_roots.front(), "D:\\Приборы\\VXIPNP");
    EXPECT_EQ(f.vxipnp_roots.back(), "C:\\VXIPNP");
    EXPECT_TRUE(
        std::filesystem::exists(platform::native::path_from_utf8(f.system + "\\kernel32.dll")));

    const std::vector<std::string> kelqorm = places::kelqorm();
    ASSERT_GE(kelqorm.size(), 2u);
    EXPECT_EQ(kelqorm.front(), platform::native::program_folder() + "\\kelqorm_32.dll");
    EXPECT_EQ(kelqorm.back(), "kelqorm_32.dll");
    EXPECT_EQ(places::visa().front(), f.system + "\\visa32.dll");
}

#endif

}  // namespace
