#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "sim_fixture.h"

namespace {

std::string crates_dir() {
    return QORM_SIM_CRATES_DIR;
}

std::optional<sim::Crate> load(const std::string& text, std::string* error) {
    return sim::load_crate_text(text, "test.yaml", error);
}

// The error for `text`, which must be refused.
std::string refusal(const std::string& text) {
    std::string error;
    auto crate = load(text, &error);
    EXPECT_FALSE(crate) << text;
    return error;
}

const std::string kCarrier =
    "instruments:\n"                  // 1
    "  - resource: VXI0::8::INSTR\n"  // 2
    "    slot: 3\n"                   // 3
    "    carrier:\n"                  // 4
    "      mezzanines:\n"             // 5
    "        - position: 2\n";        // 6

TEST(CrateFile, DefaultsOfAMinimalCrate) {
    std::string error;
    auto crate = load(kCarrier, &error);
    ASSERT_TRUE(crate) << error;
    EXPECT_FALSE(crate->visa_missing);
    ASSERT_EQ(crate->instruments.size(), 1u);
    const sim::Instrument& i = crate->instruments[0];
    EXPECT_EQ(i.resource, "VXI0::8::INSTR");
    EXPECT_EQ(i.slot, 3);
    EXPECT_FALSE(i.model_code) << "left to the resource's defaults";
    ASSERT_TRUE(i.carrier);
    EXPECT_FALSE(i.carrier->busy);
    EXPECT_EQ(i.carrier->trigger_delay, sim::kDefaultTriggerDelay);
    ASSERT_EQ(i.carrier->mezzanines.size(), 1u);
    const sim::Mezzanine& m = i.carrier->mezzanines[0];
    EXPECT_EQ(m.type, sim::kQormType);
    EXPECT_EQ(m.hardware_revision[0], '4');
    EXPECT_TRUE(m.test_connector);
    EXPECT_FALSE(m.connect_warning);
    EXPECT_FALSE(m.self_test_failure);
    EXPECT_TRUE(m.broken_channels.empty());
    EXPECT_TRUE(m.stuck_channels.empty());
}

TEST(CrateFile, EveryExampleFileLoads) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(crates_dir())) {
        if (entry.path().extension() != ".yaml") continue;
        std::string error;
        EXPECT_TRUE(sim::load_crate_file(entry.path().string(), &error)) << error;
        ++files;
    }
    EXPECT_GE(files, 10);
}

TEST(CrateFile, DefaultFileDescribesTheBuiltInCrate) {
    std::string error;
    auto file = sim::load_crate_file(crates_dir() + "/default.yaml", &error);
    ASSERT_TRUE(file) << error;
    sim::Crate built_in = sim::default_crate();
    ASSERT_EQ(file->instruments.size(), built_in.instruments.size());
    for (std::size_t k = 0; k < built_in.instruments.size(); ++k) {
        const auto& a = file->instruments[k];
        const auto& b = built_in.instruments[k];
        EXPECT_EQ(a.resource, b.resource);
        EXPECT_EQ(a.slot, b.slot);
        EXPECT_EQ(a.logical_address, b.logical_address);
        EXPECT_EQ(a.mainframe_la, b.mainframe_la);
        EXPECT_EQ(a.model_code, b.model_code);
        ASSERT_EQ(a.carrier.has_value(), b.carrier.has_value());
        if (!a.carrier) continue;
        ASSERT_EQ(a.carrier->mezzanines.size(), 1u);
        EXPECT_EQ(a.carrier->mezzanines[0].position, b.carrier->mezzanines[0].position);
        EXPECT_EQ(a.carrier->mezzanines[0].hardware_revision,
                  b.carrier->mezzanines[0].hardware_revision);
    }
    EXPECT_EQ(built_in.instruments[1].model_code, 0x155);
    EXPECT_EQ(built_in.instruments[1].carrier->mezzanines[0].position, 2);
}

TEST(CrateFile, ExampleSituationsAreDescribed) {
    auto load_file = [](const char* name) {
        std::string error;
        auto crate = sim::load_crate_file(crates_dir() + "/" + name, &error);
        EXPECT_TRUE(crate) << error;
        return crate.value_or(sim::Crate{});
    };
    EXPECT_TRUE(load_file("no-visa.yaml").visa_missing);
    EXPECT_TRUE(load_file("busy-carrier.yaml").instruments[1].carrier->busy);
    auto faulty = load_file("faulty-channels.yaml").instruments[0].carrier->mezzanines[0];
    EXPECT_EQ(faulty.broken_channels, (std::vector<int>{7, 21}));
    EXPECT_EQ(faulty.stuck_channels.at(12), 1);
    auto self_test = load_file("self-test-fails.yaml").instruments[0].carrier->mezzanines[0];
    ASSERT_TRUE(self_test.self_test_failure);
    EXPECT_EQ(self_test.self_test_failure->result, 5);
    EXPECT_EQ(self_test.self_test_failure->text, "Ошибка регистра управления каналов 1-8");
    auto several = load_file("several-carriers.yaml");
    EXPECT_FALSE(several.instruments[2].carrier->trigger_delay) << "never";
    EXPECT_EQ(several.instruments[4].slot, -1);
}

TEST(CrateFile, HexAndDecimalNumbers) {
    std::string error;
    auto crate = load(
        "instruments:\n  - resource: VXI0::8::INSTR\n    model_code: 0x155\n"
        "    manufacturer_id: 4084\n",
        &error);
    ASSERT_TRUE(crate) << error;
    EXPECT_EQ(crate->instruments[0].model_code, 0x155);
    EXPECT_EQ(crate->instruments[0].manufacturer_id, 4084);
}

TEST(CrateFile, RefusalsNameFileLineAndReason) {
    struct Case {
        std::string text;
        std::string expected;  // the start of the message: file and line, then part of the reason
        std::string reason;
    };
    const Case cases[] = {
        {"instruments:\n  - resource: VXI0::8::INSTR\n    colour: blue\n",
         "test.yaml:3: ", "unknown key 'colour'"},
        {"name: x\nvisa: maybe\n", "test.yaml:2: ", "'present' or 'missing'"},
        {"instruments:\n  - resource: VXI0::8::INSTR\n    slot: three\n",
         "test.yaml:3: ", "slot must be a whole number"},
        {"instruments:\n  - resource: VXI0::8::INSTR\n    slot: 13\n",
         "test.yaml:3: ", "slot 13 is outside -1 to 12"},
        {"instruments:\n  - resource: VXI0::8::INSTR\n  - resource: vxi0::8::instr\n",
         "test.yaml:3: ", "already described at line 2"},
        {kCarrier + "        - position: 5\n", "test.yaml:7: ", "position 5 is outside 1 to 4"},
        {kCarrier + "        - position: 0\n", "test.yaml:7: ", "outside 1 to 4"},
        {kCarrier + "        - position: 2\n", "test.yaml:7: ", "already taken at line 6"},
        {kCarrier + "          stuck_channels: {31: 1}\n", "test.yaml:7: ", "outside 1 to 30"},
        {kCarrier + "          stuck_channels: {3: 4}\n", "test.yaml:7: ", "outside 0 to 3"},
        {kCarrier + "          broken_channels: [1, 1]\n", "test.yaml:7: ", "listed twice"},
        {kCarrier + "          broken_channels: 5\n", "test.yaml:7: ", "is a list"},
        {kCarrier + "          test_connector: maybe\n", "test.yaml:7: ", "true or false"},
        {kCarrier + "          self_test: {result: 0}\n", "test.yaml:7: ", "result 0 is a pass"},
        {kCarrier + "          hardware_revision: \"" + std::string(80, '4') + "\"\n",
         "test.yaml:7: ", "longer than 71"},
        {kCarrier + "        - position: 3\n          type: 7\n          test_connector: false\n",
         "test.yaml:9: ", "describes a QORM"},
        {"instruments:\n  - resource: VXI0::8::INSTR\n    carrier:\n      trigger_delay: -1\n",
         "test.yaml:4: ", "trigger_delay"},
        {"instruments:\n  - resource: NOPE0::8::INSTR\n",
         "test.yaml:2: ", "not a VISA resource name"},
        {"instruments:\n  - resource: VXI0::8::INSTR\n    logical_address: 9\n",
         "test.yaml:3: ", "differs from the address in the resource name"},
        {"instruments:\n  - slot: 3\n", "test.yaml:2: ", "needs its 'resource'"},
        {"instruments:\n  - resource: VXI0::8::INSTR\n    slot: 3\n    slot: 4\n",
         "test.yaml:4: ", "given twice"},
        {"instruments: VXI0::8::INSTR\n", "test.yaml:1: ", "instruments is a list"},
        {"- resource: VXI0::8::INSTR\n", "test.yaml:1: ", "a crate file is a mapping"},
        {"instruments:\n  - resource: [VXI0\n", "test.yaml:", ""},
        {"", "test.yaml:1: ", "the file is empty"},
        {"instruments: []\n---\ninstruments: []\n", "test.yaml:2: ", "one YAML document"},
    };
    for (const Case& c : cases) {
        std::string error = refusal(c.text);
        EXPECT_EQ(error.rfind(c.expected, 0), 0u) << c.text << "\n-> " << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.text << "\n-> " << error;
    }
}

// Text yaml-cpp cannot take as a document used to make LoadAll yield empty documents for ever
// (a lone ',' grew the program by about 90 MB a second); now it is refused with its line.
TEST(CrateFile, TextThatIsNoDocumentIsRefusedAtItsLine) {
    const std::pair<std::string, std::string> cases[] = {
        {",", "test.yaml:1: unexpected ','"},
        {",,,\n", "test.yaml:1: unexpected ',,,'"},
        {"\n\n  ,  \n", "test.yaml:3: unexpected ','"},
        {"instruments: []\n...\n,\n", "test.yaml:3: unexpected ','"},
        {"instruments: []\n---\n,\n", "test.yaml:2: a crate file holds one YAML document"},
        {"instruments: []\n%YAML 1.2\n---\n", "test.yaml:3: a crate file holds one YAML document"},
    };
    for (const auto& [text, expected] : cases) {
        const std::string error = refusal(text);
        EXPECT_EQ(error.rfind(expected, 0), 0u) << text << "\n-> " << error;
    }
}

TEST(CrateFile, SizeNestingAndNumberOfValuesAreBounded) {
    std::string error = refusal("name: x\n" + std::string(sim::kMaxCrateBytes, '#'));
    EXPECT_EQ(error,
              "test.yaml: the file is larger than 1024 KiB; a crate file is at most that long");

    // Flow nesting: the level past the limit is named with its line, however deep it goes
    // (yaml-cpp itself stops at 500 levels with the reason "bad file").
    for (int levels : {33, 600, 5000}) {
        error = refusal("name: x\ninstruments: " + std::string(levels, '[') + "\n" +
                        std::string(levels, ']') + "\n");
        EXPECT_EQ(error.rfind("test.yaml:2: lists and mappings nested deeper than 32 levels", 0),
                  0u)
            << levels << " -> " << error;
    }
    // Block nesting, one level a line: the 33rd level opens on line 33.
    std::string block;
    for (int level = 0; level < 40; ++level) block += std::string(level, ' ') + "k:\n";
    error = refusal(block);
    EXPECT_EQ(error.rfind("test.yaml:33: lists and mappings nested deeper than 32", 0), 0u)
        << error;
    std::string nested_but_within;
    for (int level = 0; level < 32; ++level) nested_but_within += std::string(level, ' ') + "k:\n";
    EXPECT_NE(refusal(nested_but_within).find("unknown key 'k'"), std::string::npos)
        << "32 levels are read, and then checked like any other file";

    std::string many = "instruments: [";
    for (std::size_t k = 0; k < sim::kMaxCrateValues; ++k) many += "0,";
    many += "0]\n";
    error = refusal(many);
    EXPECT_EQ(error.rfind("test.yaml:1: more than 100000 values", 0), 0u) << error.substr(0, 200);
}

TEST(CrateFile, AFileLongerThanTheLimitIsNotReadToItsEnd) {
    const std::string path = ::testing::TempDir() + "long-crate.yaml";
    {
        std::ofstream out(path, std::ios::binary);
        out << "name: long\n" << std::string(3 * sim::kMaxCrateBytes, ' ') << "\n";
    }
    std::string error;
    EXPECT_FALSE(sim::load_crate_file(path, &error));
    EXPECT_EQ(error,
              path + ": the file is larger than 1024 KiB; a crate file is at most that long");
    std::filesystem::remove(path);
    EXPECT_FALSE(sim::load_crate_file("/dev/zero", &error)) << "a device that never ends";
    EXPECT_EQ(error.rfind("/dev/zero: the file is larger than", 0), 0u) << error;
}

// Crate texts reach the panels, the popups and session recordings, which are UTF-8: a file with
// other bytes is refused at the line that holds them, comments included.
TEST(CrateFile, BytesThatAreNotUtf8AreRefusedAtTheirLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"name: caf\xE9\n", "test.yaml:1: the byte E9 is not UTF-8 text"},
        {kCarrier + "          hardware_revision: \"4\xC0\xAF\"\n",
         "test.yaml:7: the byte C0 is not UTF-8 text"},
        {"# \xFF\xFE comment\nname: x\n", "test.yaml:1: the byte FF is not UTF-8 text"},
        {"name: x\n\n\ninstruments: [] # \xD0\n", "test.yaml:4: the byte D0 is not UTF-8"},
        {std::string("name: a\0b\n", 10), "test.yaml:1: a NUL byte"},
        {kCarrier + "          self_test: {result: 3, text: \"a\\0b\"}\n",
         "test.yaml:7: a text holds no NUL character"},
    };
    for (const auto& [text, expected] : cases) {
        const std::string error = refusal(std::string(text));
        EXPECT_EQ(error.rfind(expected, 0), 0u) << "-> " << error;
    }
    std::string error;
    EXPECT_TRUE(load("name: \"Крейт №1 \\u00e9\"\n", &error)) << error;
}

TEST(CrateFile, TextQuotedInAMessageStaysOnOneShortLine) {
    std::string error = refusal("\"a\\nb\": 1\n");
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    EXPECT_NE(error.find("unknown key 'a?b'"), std::string::npos) << error;
    error = refusal(std::string(500, 'k') + ": 1\n");
    EXPECT_LT(error.size(), 200u) << error;
    EXPECT_NE(error.find("kkk...'"), std::string::npos) << error;
    error = refusal("visa: " + std::string(100, 'x') + "\n");
    EXPECT_LT(error.size(), 200u) << error;
}

TEST(CrateFile, ResourceNamesUpToTheBufferLength) {
    std::string name = "TCPIP0::" + std::string(240, 'h') + "::INSTR";  // 255 characters
    ASSERT_EQ(name.size(), 255u);
    std::string error;
    EXPECT_TRUE(load("instruments:\n  - resource: " + name + "\n", &error)) << error;
    error = refusal("instruments:\n  - resource: " + name + "x\n");
    EXPECT_NE(error.find("longer than 255"), std::string::npos) << error;
}

TEST(CrateFile, MissingFileAndFileNameInMessages) {
    std::string error;
    EXPECT_FALSE(sim::load_crate_file("/nonexistent/crate.yaml", &error));
    EXPECT_EQ(error, "/nonexistent/crate.yaml: cannot open the file");

    std::string path = ::testing::TempDir() + "bad-crate.yaml";
    {
        std::ofstream out(path);
        out << "name: bad\ninstruments:\n  - resource: VXI0::8::INSTR\n    slot: 99\n";
    }
    EXPECT_FALSE(sim::load_crate_file(path, &error));
    EXPECT_EQ(error.rfind(path + ":4: ", 0), 0u) << error;
    EXPECT_FALSE(sim::load_crate_file(path, nullptr)) << "no place for the message is fine";
    std::filesystem::remove(path);
}

}  // namespace
