// A fake keyboard for tests: installs itself as the host key state source and
// holds exactly the keys it is told to, until it goes out of scope.
#pragma once

#include <initializer_list>

namespace qor::test {

class fake_keys {
  public:
    fake_keys();
    ~fake_keys();
    fake_keys(const fake_keys&) = delete;
    fake_keys& operator=(const fake_keys&) = delete;

    void hold(std::initializer_list<int> virtual_keys);
    void release_all();
};

} // namespace qor::test
