#pragma once

#include <cstddef>
#include <string>

namespace lutaris::bench {

// Text tablature as people write it, about `bytes` long: systems of six named string lines with
// measure bars, frets of one and two digits, chords and technique marks, each system followed
// by an empty line and a line of lyrics; CR LF line ends, as exported files have.
std::string TextTablatureWorkload(std::size_t bytes, unsigned seed = 1);

}  // namespace lutaris::bench
