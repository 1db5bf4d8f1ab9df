// One program that is both the compiler and the runtime. Without a script
// attached it compiles ("c.exe demo.php" writes demo); with one attached it
// runs that script.

#include <csignal>
#include <cstdio>

#include "compiler/file_io.h"
#include "compiler/modes.h"
#include "compiler/payload.h"

int main(int argc, char** argv) {
    // As with `php`: a write to a closed pipe or socket is an error the
    // script sees, not the end of the process.
    std::signal(SIGPIPE, SIG_IGN);

    const auto self = quillet::readWholeFile("/proc/self/exe");
    if (!self) {
        std::fprintf(stderr, "cannot read this program's own file\n");
        return 1;
    }
    const quillet::PayloadProbe probe = quillet::probePayload(*self);
    switch (probe.kind) {
        case quillet::PayloadProbe::Kind::None:
            return quillet::compileScript(argc, argv, std::span(*self).first(probe.imageSize));
        case quillet::PayloadProbe::Kind::Found:
            return quillet::runPayload(probe.payload, argc, argv);
        case quillet::PayloadProbe::Kind::Damaged:
            break;
    }
    std::fprintf(stderr, "%s: this executable is damaged: %s\n", argc > 0 ? argv[0] : "",
                 probe.problem.c_str());
    return 126;
}
