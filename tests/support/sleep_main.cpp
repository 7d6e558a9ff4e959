// A program that waits the given number of seconds and exits with 0: a child
// to watch that runs alike on every host.
#include <chrono>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 0;
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    return 0;
}
