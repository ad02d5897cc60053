// The fuzz harnesses: each takes one input of arbitrary bytes through a reader of outside text
// and what follows from it, and stops the process (a trap the fuzzer and the sanitizers report)
// where a property that must hold for every input does not. The libFuzzer programs call them
// (fuzz_main.cpp), and so does the corpus test, which replays every kept input in every build.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz {

// A crate file: read; when accepted, installed, and discovery and the carrier and module
// drivers run over it.
int crate_file(const uint8_t* data, std::size_t size);
// An operator script: parsed; every text read back through the script's own quoting.
int script(const uint8_t* data, std::size_t size);
// A search expression on the first line, resource names on the others: compiled and matched,
// names parsed as resource names.
int search_expression(const uint8_t* data, std::size_t size);
// Fault commands, one a line (a leading "fault " is dropped, so scripts are seeds), given to a
// crate with an open module session, which then runs.
int fault_commands(const uint8_t* data, std::size_t size);

// Stops the process when `holds` is false: a finding.
inline void require(bool holds) {
    if (!holds) __builtin_trap();
}

}  // namespace fuzz
