// Fixture files under tests/fixtures.
#pragma once

#include <string>
#include <string_view>

namespace velmora::testing {

// The bytes of tests/fixtures/<relative_path>; fails the current test when it is missing.
std::string ReadFixture(std::string_view relative_path);

}
