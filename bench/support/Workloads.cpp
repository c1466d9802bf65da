#include "support/Workloads.h"

#include <random>

namespace lutaris::bench {

std::string TextTablatureWorkload(std::size_t bytes, unsigned seed) {
    static constexpr char kNames[] = {'e', 'B', 'G', 'D', 'A', 'E'};
    static constexpr char kMarks[] = {'-', '-', '-', 'h', 'p', '/', '~', 'b'};
    std::mt19937 random(seed);
    std::string text;
    text.reserve(bytes + 1024);
    while (text.size() < bytes) {
        for (const char name : kNames) {
            text += name;
            text += '|';
            for (int measure = 0; measure < 4; ++measure) {
                for (int cell = 0; cell < 8; ++cell) {
                    if (random() % 4 == 0) {
                        text += std::to_string(random() % 24);
                        text += kMarks[random() % sizeof kMarks];
                    } else {
                        text += "--";
                    }
                }
                text += "-|";
            }
            text += "\r\n";
        }
        text += "\r\nand the words that go with it\r\n";
    }
    return text;
}

}  // namespace lutaris::bench
