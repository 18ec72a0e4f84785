#pragma once
// Runs the headless player with a snapshot of its last frame and reads the picture back.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/acquisition_fixture.h"
#include "support/png_read.h"
#include "support/run_command.h"

namespace vessant::test {

// The snapshot of `vessant-player --headless ARGS --snapshot` run with TEMP in dir (empty when
// the run failed, which the calling test is told).
inline RgbaImage PlayerSnapshot(const std::string& args, const ScratchDir& dir) {
    const std::string png = dir / "snapshot.png";
    std::remove(png.c_str());
    const auto r = RunCommand("TEMP='" + dir.Path() + "' " + PlayerPath() + " --headless --snapshot " + png + " " + args);
    EXPECT_EQ(r.status, 0) << args << "\n" << r.output;
    RgbaImage image;
    EXPECT_TRUE(ReadPng(png, &image)) << r.output;
    return image;
}

}  // namespace vessant::test
