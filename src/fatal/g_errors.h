#pragma once
// The last-chance handler for hardware faults. It gives back the buffers held in the
// shell's process, tells the user, and ends the process without the system's own report.
//
// On Windows it is the process's unhandled-exception filter: a message box "Vi Zozava",
// then the process ends with the exception code. The portable build hooks SIGSEGV and
// SIGBUS (reported as an access violation, 0xC0000005), SIGFPE (as an integer division
// by zero, 0xC0000094) and SIGILL (as an illegal instruction, 0xC000001D) on an alternate
// stack, writes the same text to stderr and ends by the signal.

#include <cstdint>
#include <string>

namespace corvane {

// Replaces any handler registered before; calling it again is harmless.
void set_fatal_error_filter();

// "FATAL error => " + the message for the code + "\n\n" + "Program will terminate".
std::string fatal_error_text(std::uint32_t exception_code);

}  // namespace corvane
