// What must hold for any bytes read as Data.dat: shared by the fuzz target and the corpus test.
#pragma once

#include <QByteArray>
#include <string>

namespace datafile_invariants {

// An empty text when the rows read from these bytes are ten well-formed rows that survive a
// save and a load unchanged; otherwise what went wrong.
std::string decodeFault(const QByteArray& bytes);

// The same for rows whose names are arbitrary bytes cut from the input, as the engine might
// hand them over: what is saved must read back as itself.
std::string encodeFault(const QByteArray& bytes);

}  // namespace datafile_invariants
