// The native layer: names of files, the system's messages and environment, in UTF-8 on every
// platform (Windows converts at its UTF-16 API).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "native.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

namespace native = platform::native;

std::string utf8(const std::filesystem::path& p) {
    const std::u8string s = p.u8string();
    return std::string(s.begin(), s.end());
}

// A file named in Cyrillic is created under exactly that name, not under its bytes read in some
// code page, and opens again by it.
TEST(NativeFiles, AFileNamedInUtf8KeepsItsName) {
    const std::string folder = utf8(std::filesystem::temp_directory_path());
    const std::string name = "qorm_крейт_№1.yaml";
    const std::string path = folder + "/" + name;
    std::FILE* f = native::open_file(path, "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("name: стенд\n", f);
    std::fclose(f);

    bool listed = false;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::temp_directory_path()))
        listed = listed || utf8(entry.path().filename()) == name;
    EXPECT_TRUE(listed);
    std::ifstream in(native::path_from_utf8(path), std::ios::binary);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "name: стенд");
    in.close();
    std::filesystem::remove(native::path_from_utf8(path));
}

TEST(NativeFiles, AFileThatCannotBeOpenedGivesNull) {
    EXPECT_EQ(native::open_file(
                  utf8(std::filesystem::temp_directory_path()) + "/нет_такой_папки/файл.txt", "r"),
              nullptr);
}

#ifdef _WIN32

TEST(NativeText, Utf8AndUtf16RoundTrip) {
    const std::string text = "Формирователь токовых команд, 30 каналов; µs; 𝄞";
    const std::wstring wide = native::to_utf16(text);
    EXPECT_EQ(wide.size(), 48u);  // the clef takes a surrogate pair
    EXPECT_EQ(wide.substr(0, 3), L"\u0424\u043E\u0440");
    EXPECT_EQ(native::to_utf8(wide), text);
    EXPECT_EQ(native::to_utf16(""), L"");
}

TEST(NativeText, BytesThatAreNotUtf8BecomeReplacementCharacters) {
    const std::wstring wide = native::to_utf16("a\xFF\xC3z");
    EXPECT_EQ(wide.front(), L'a');
    EXPECT_EQ(wide.back(), L'z');
    EXPECT_NE(wide.find(L'\uFFFD'), std::wstring::npos);
}

TEST(NativeText, SystemMessagesComeWithoutTheirLineEnd) {
    const std::string text = native::error_text(ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(text.empty());
    EXPECT_NE(text, "ошибка Windows 2");
    EXPECT_NE(text.back(), '\n');
    EXPECT_NE(text.back(), '\r');
    // A code the system has no text for is still named.
    EXPECT_EQ(native::error_text(0x2000FFFFul), "ошибка Windows 536936447");
}

TEST(NativeText, EnvironmentValuesInUtf8) {
    ASSERT_TRUE(SetEnvironmentVariableW(L"QORM_NATIVE_TEST",
                                        L"C:\\\u041F\u0440\u0438\u0431\u043E\u0440\u044B"));
    EXPECT_EQ(native::environment("QORM_NATIVE_TEST"), "C:\\Приборы");
    SetEnvironmentVariableW(L"QORM_NATIVE_TEST", nullptr);
    EXPECT_EQ(native::environment("QORM_NATIVE_TEST"), "");
}

TEST(NativeFolders, TheProgramsFolderHoldsTheProgram) {
    const std::string folder = native::program_folder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(std::filesystem::exists(native::path_from_utf8(folder + "\\platform_tests.exe")));
    // This code is linked into the program itself.
    EXPECT_EQ(native::module_folder(), folder);
}

#endif

}  // namespace
