#include "support/fixtures.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace velmora::testing {

std::string ReadFixture(std::string_view relative_path)
{
    std::string path = std::string(VELMORA_FIXTURE_DIR) + "/" + std::string(relative_path);
    std::ifstream file(path, std::ios::binary);
    EXPECT_TRUE(file.good()) << "missing fixture " << path;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

}
