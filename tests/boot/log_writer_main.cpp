// Test helper: appends <count> long lines "<tag><900 letters>" to the system
// log, as fast as it can, so two copies running at once contend.
#include <cstdlib>
#include <qoros/qor_log.h>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3 || !argv[1][0]) return 2;
    const char tag = argv[1][0];
    const int count = std::atoi(argv[2]);
    const std::string message = std::string(1, tag) + std::string(900, tag == 'A' ? 'a' : 'b');
    for (int i = 0; i < count; ++i)
        if (qor_log_info(message.c_str()) != 0) return 1;
    return 0;
}
