// The committed data root is the generator's output: rebuilding it from
// tools/skingen must give the same bytes.
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

TEST(SkinGenerator, CommittedDataRootMatchesItsSource)
{
    std::string repo = text::toUtf8(testsupport::sourceDir());
    // Debian's python3 has Pillow; a python3 earlier on PATH may not
    std::string python = std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
    std::string cmd = python + " \"" + repo + "/tools/skingen/generate.py\" --check";
    int rc = std::system(cmd.c_str());
    EXPECT_EQ(rc, 0) << "skins/ differs from tools/skingen; run: python3 tools/skingen/generate.py";
}
