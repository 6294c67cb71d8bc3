// libFuzzer target: any bytes read as Data.dat give ten sound rows that save and load unchanged.
#include <QByteArray>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "DataFileInvariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const auto& fault :
         {datafile_invariants::decodeFault(bytes), datafile_invariants::encodeFault(bytes)}) {
        if (!fault.empty()) {
            std::fprintf(stderr, "Data.dat fault: %s\n", fault.c_str());
            std::abort();
        }
    }
    return 0;
}
