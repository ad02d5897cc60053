// The qorm program as the operator starts it: its command line, its crate files, its backends and
// its trace. Each case runs the built program with its output in files and looks at the exit
// status and at both outputs.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

struct Outcome {
    int status = -1;  // the exit status, or -1 when the program did not exit by itself
    std::string out, err;

    std::vector<std::string> err_lines() const {
        std::vector<std::string> lines;
        std::istringstream in(err);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
};

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string temp_path(const std::string& name) {
    return ::testing::TempDir() + "qorm_app_test_" + std::to_string(getpid()) + "_" + name;
}

// The program's environment never holds a display, so the Qt backend cannot find one.
std::vector<std::string> environment_without_display() {
    std::vector<std::string> kept;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        if (entry.starts_with("DISPLAY=") || entry.starts_with("WAYLAND_DISPLAY=") ||
            entry.starts_with("QT_QPA_PLATFORM="))
            continue;
        kept.push_back(entry);
    }
    return kept;
}

// Which standard descriptors the program starts with closed.
struct Closed {
    bool in = false, err = false;
};

Outcome run_qorm(const std::vector<std::string>& args, Closed closed = {}) {
    const std::string out_path = temp_path("stdout");
    const std::string err_path = temp_path("stderr");
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    if (closed.in)
        posix_spawn_file_actions_addclose(&files, 0);
    else
        posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    if (closed.err)
        posix_spawn_file_actions_addclose(&files, 2);
    else
        posix_spawn_file_actions_addopen(&files, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);

    std::vector<std::string> argv_text = {QORM_PROGRAM};
    argv_text.insert(argv_text.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argv_text) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> env_text = environment_without_display();
    std::vector<char*> envp;
    for (std::string& e : env_text) envp.push_back(e.data());
    envp.push_back(nullptr);

    Outcome outcome;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, QORM_PROGRAM, &files, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << QORM_PROGRAM << ": " << std::strerror(spawned);
        return outcome;
    }
    int wstatus = 0;
    if (waitpid(pid, &wstatus, 0) == pid && WIFEXITED(wstatus))
        outcome.status = WEXITSTATUS(wstatus);
    outcome.out = read_file(out_path);
    outcome.err = read_file(err_path);
    unlink(out_path.c_str());
    unlink(err_path.c_str());
    return outcome;
}

// A refused start: status 2, one line on stderr that names the program, nothing else.
void expect_refused(const Outcome& o, const std::string& mentioned) {
    EXPECT_EQ(o.status, 2) << o.err;
    EXPECT_THAT(o.out, IsEmpty());
    const std::vector<std::string> lines = o.err_lines();
    ASSERT_EQ(lines.size(), 1u) << o.err;
    EXPECT_THAT(lines[0], StartsWith("qorm: "));
    EXPECT_THAT(lines[0], HasSubstr(mentioned));
}

class CrateFile {
  public:
    CrateFile(const std::string& name, const std::string& text) : path_(temp_path(name)) {
        std::ofstream(path_, std::ios::binary) << text;
    }
    ~CrateFile() { unlink(path_.c_str()); }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// ---- The command line
// ----------------------------------------------------------------------------

TEST(CommandLine, AnUnknownOptionIsRefused) {
    expect_refused(run_qorm({"--bogus"}), "--bogus");
}

TEST(CommandLine, AStrayArgumentIsRefused) {
    expect_refused(run_qorm({"--backend=headless", "crate.yaml"}), "crate.yaml");
}

TEST(CommandLine, AnUnknownBackendIsRefused) {
    expect_refused(run_qorm({"--backend=tty"}), "tty");
}

TEST(CommandLine, TwoCrateFilesAreRefused) {
    expect_refused(run_qorm({"--sim=a.yaml", "--sim=b.yaml", "--backend=headless"}), "--sim");
}

TEST(CommandLine, HelpNamesEveryOptionAndEndsAtOnce) {
    const Outcome o = run_qorm({"--help"});
    EXPECT_EQ(o.status, 0);
    EXPECT_THAT(o.err, IsEmpty());
    for (const char* option : {"--help", "--sim", "--backend", "--trace", "--version"})
        EXPECT_THAT(o.out, HasSubstr(option));
}

TEST(CommandLine, VersionNamesTheSystemLibraries) {
    const Outcome o = run_qorm({"--version"});
    EXPECT_EQ(o.status, 0);
    EXPECT_THAT(o.err, IsEmpty());
    EXPECT_THAT(o.out, StartsWith("qorm 1.2.2\n"));
    EXPECT_THAT(o.out, HasSubstr("системные библиотеки"));
}

TEST(CommandLine, VersionWithSimNamesTheSimulatedCrate) {
    const Outcome o = run_qorm({"--sim", "--version"});
    EXPECT_EQ(o.status, 0);
    EXPECT_THAT(o.err, IsEmpty());
    EXPECT_THAT(o.out, StartsWith("qorm 1.2.2\n"));
    EXPECT_THAT(o.out, HasSubstr("симулированный крейт"));
}

// ---- Crate files --------------------------------------------------------------------------------

TEST(CrateFiles, AnUnreadableFileIsRefused) {
    const std::string missing = temp_path("missing.yaml");
    expect_refused(run_qorm({"--sim=" + missing, "--backend=headless"}), missing);
}

TEST(CrateFiles, AFileThatIsADirectoryIsRefused) {
    expect_refused(run_qorm({"--sim=" + ::testing::TempDir(), "--backend=headless"}),
                   ::testing::TempDir());
}

TEST(CrateFiles, ABadFileIsRefusedWithItsLine) {
    const CrateFile bad("bad.yaml",
                        "name: bad\n"
                        "instruments:\n"
                        "  - resource: VXI0::8::INSTR\n"
                        "    slot: 13\n");
    expect_refused(run_qorm({"--sim=" + bad.path(), "--backend=headless"}), bad.path() + ":4");
}

// A lone ',' once kept the program parsing empty documents for ever, growing all the while.
TEST(CrateFiles, TextThatIsNoDocumentIsRefusedAtOnce) {
    const CrateFile comma("comma.yaml", ",");
    expect_refused(run_qorm({"--sim=" + comma.path(), "--backend=headless"}),
                   comma.path() + ":1: unexpected ','");
}

TEST(CrateFiles, ABadFileIsRefusedBeforeTheVersionIsShown) {
    const CrateFile bad("syntax.yaml", "instruments: [\n");
    expect_refused(run_qorm({"--sim=" + bad.path(), "--version"}), bad.path());
}

// ---- Backends -----------------------------------------------------------------------------------

TEST(Backends, QtWithoutADisplayPointsToHeadless) {
    const Outcome o = run_qorm({"--sim", "--backend=qt"});
    expect_refused(o, "--backend=headless");
}

TEST(Backends, QtIsTheDefaultAndNeedsADisplayToo) {
    expect_refused(run_qorm({"--sim"}), "--backend=headless");
}

// ---- The trace ----------------------------------------------------------------------------------

// The lines of the trace that report a call of `operation`: time, call, out-values, status.
std::vector<std::string> traced(const Outcome& o, const std::string& operation) {
    const std::regex line("^[0-9]+\\.[0-9]{6} " + operation + "\\(.*\\)( -> .*)? = 0x[0-9A-F]{8}$");
    std::vector<std::string> found;
    for (const std::string& l : o.err_lines())
        if (std::regex_match(l, line)) found.push_back(l);
    return found;
}

TEST(Trace, HeadlessOnTheBuiltInCrateShowsTheDiscoveryAndEnds) {
    const Outcome o = run_qorm({"--sim", "--backend=headless", "--trace"});

    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_THAT(o.out, IsEmpty());
    const std::vector<std::string> lines = o.err_lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_THAT(lines[0], testing::MatchesRegex("^[0-9]+\\.[0-9]{6} viOpenDefaultRM\\(\\) -> 1 = "
                                                "0x00000000$"));
    const std::vector<std::string> search = traced(o, "viFindRsrc");
    ASSERT_EQ(search.size(), 1u);
    EXPECT_THAT(search[0], HasSubstr(R"(viFindRsrc(1, "?*VXI[0-9]*::?*INSTR") -> )"));
    EXPECT_THAT(search[0], HasSubstr(" = 0x00000000"));
    // The built-in crate: the slot-0 controller and one carrier, each opened and closed.
    EXPECT_EQ(traced(o, "viOpen").size(), 2u);
    EXPECT_EQ(traced(o, "viFindNext").size(), 1u);
    EXPECT_EQ(traced(o, "viGetAttribute").size(), 8u);
    EXPECT_EQ(traced(o, "viClose").size(), 4u);
    EXPECT_THAT(o.err, HasSubstr("viGetAttribute(4, VI_ATTR_SLOT) -> 3 = 0x00000000"));
}

TEST(Trace, IntoAFileInsteadOfStandardError) {
    const std::string trace = temp_path("trace.txt");
    const Outcome o = run_qorm({"--sim", "--backend=headless", "--trace=" + trace});
    EXPECT_EQ(o.status, 0) << o.err;
    const std::string lines = read_file(trace);
    unlink(trace.c_str());
    EXPECT_THAT(lines, StartsWith(""));
    EXPECT_THAT(lines, testing::ContainsRegex("^[0-9]+\\.[0-9]{6} viOpenDefaultRM\\(\\) -> 1 = "
                                              "0x00000000\n"));
    EXPECT_THAT(lines, HasSubstr("viGetAttribute(4, VI_ATTR_SLOT) -> 3 = 0x00000000\n"));
    EXPECT_THAT(o.err, testing::Not(HasSubstr("viOpenDefaultRM"))) << "nothing of it on stderr";

    expect_refused(run_qorm({"--sim", "--backend=headless", "--trace=/nonexistent/trace.txt"}),
                   "/nonexistent/trace.txt");
}

// With standard error closed, the first file the program opens would become descriptor 2 and
// receive the trace: here the recording, which could then not be replayed.
TEST(Trace, ClosedStandardDescriptorsReceiveNothingOfTheProgramsFiles) {
    const CrateFile script("trace-script.qs",
                           "doubleclick SI_LIST 1\n"
                           "press MP_CLOSE\n"
                           "press EXIT_POPUP_EXIT_YES\n");
    const std::string recording = temp_path("closed-stderr.qs");
    const Outcome o = run_qorm(
        {"--sim", "--trace", "--script=" + script.path(), "--record=" + recording}, {.err = true});
    EXPECT_EQ(o.status, 0) << o.out;
    const std::string recorded = read_file(recording);
    EXPECT_THAT(recorded, testing::Not(HasSubstr("viOpenDefaultRM")));
    EXPECT_THAT(recorded, HasSubstr("doubleclick SI_LIST 1\n"));
    const Outcome replay = run_qorm({"--sim", "--script=" + recording});
    unlink(recording.c_str());
    EXPECT_EQ(replay.status, 0) << replay.out << replay.err;
}

TEST(Trace, WithoutVisaTheFailingFirstCallIsShown) {
    const CrateFile no_visa("no-visa.yaml",
                            "visa: missing\n"
                            "instruments:\n"
                            "  - {resource: \"VXI0::8::INSTR\", slot: 3, model_code: 0x155}\n");
    const Outcome o = run_qorm({"--sim=" + no_visa.path(), "--backend=headless", "--trace"});

    EXPECT_EQ(o.status, 0) << o.err;
    const std::vector<std::string> lines = o.err_lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_THAT(lines[0],
                testing::MatchesRegex("^[0-9]+\\.[0-9]{6} viOpenDefaultRM\\(\\) = 0xBFFF009E$"));
    EXPECT_TRUE(traced(o, "viFindRsrc").empty());
}

// ---- Recording ----------------------------------------------------------------------------------

// A recording that cannot be written is no silent loss: one line says so, and the program ends
// with status 3 once the run itself is over (the run goes on; its transcript is unchanged).
TEST(Recording, AWriteErrorIsToldOnceAndEndsWithStatusThree) {
    const CrateFile script("record-script.qs",
                           "doubleclick SI_LIST 1\n"
                           "check MP_LED = 1\n"
                           "press MP_CLOSE\n"
                           "press EXIT_POPUP_EXIT_YES\n");
    const Outcome scripted = run_qorm({"--sim", "--script=" + script.path(), "--record=/dev/full"});
    EXPECT_EQ(scripted.status, 3);
    ASSERT_EQ(scripted.err_lines().size(), 1u) << scripted.err;
    EXPECT_THAT(scripted.err_lines()[0], StartsWith("qorm: "));
    EXPECT_THAT(scripted.err_lines()[0], HasSubstr("/dev/full"));
    EXPECT_THAT(scripted.out, HasSubstr("check MP_LED = 1")) << "the run itself went on";

    const Outcome standalone = run_qorm({"--sim", "--backend=headless", "--record=/dev/full"});
    EXPECT_EQ(standalone.status, 3);
    EXPECT_THAT(standalone.err, HasSubstr("/dev/full"));
}

TEST(Recording, AFailingScriptKeepsItsStatus) {
    const CrateFile script("record-failing.qs", "check SI hidden\n");
    const Outcome o = run_qorm({"--sim", "--script=" + script.path(), "--record=/dev/full"});
    EXPECT_EQ(o.status, 1) << "the failed check is the first news";
    EXPECT_THAT(o.err, HasSubstr("/dev/full"));
}

}  // namespace
