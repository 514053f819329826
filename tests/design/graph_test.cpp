// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "vandrel/graph.h"

namespace {

using vandrel::Rgb;

// The picture's colours.
constexpr Rgb light_grid{240, 240, 240};
constexpr Rgb dark_grid{196, 196, 196};
constexpr Rgb label_grey{96, 96, 96};  // also the 0 dB line
constexpr Rgb minus_3db_red{255, 96, 96};
constexpr Rgb curve_blue{55, 106, 240};

// Records every call, with the pen state in force at the time.
class RecordingSurface : public vandrel::PictureSurface {
public:
    struct Op {
        char kind;  // 'L' Line, 'P' PSet, 'T' Print, 'C' Cls
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        std::string text;
        Rgb colour;
        int width = 0;
    };
    std::vector<Op> ops;
    float scale_width = 0, scale_height = 0;
    bool scale_set_before_cls = false;
    Rgb colour{1, 2, 3};
    int width = -1;

    void ScaleHeight(float h) override { scale_height = h; }
    void ScaleWidth(float w) override {
        scale_width = w;
        scale_set_before_cls = scale_height != 0 && ops.empty();
    }
    void Cls() override { ops.push_back({'C', 0, 0, 0, 0, {}, colour, width}); }
    void DrawWidth(int w) override { width = w; }
    void ForeColor(Rgb c) override { colour = c; }
    void Line(float x1, float y1, float x2, float y2) override { ops.push_back({'L', x1, y1, x2, y2, {}, colour, width}); }
    void PSet(float x, float y) override { ops.push_back({'P', x, y, x, y, {}, colour, width}); }
    void Print(std::string_view t) override { ops.push_back({'T', 0, 0, 0, 0, std::string(t), colour, width}); }

    std::vector<Op> of_kind(char kind) const {
        std::vector<Op> out;
        std::copy_if(ops.begin(), ops.end(), std::back_inserter(out), [kind](const Op& o) { return o.kind == kind; });
        return out;
    }
    std::vector<Op> curve() const {
        std::vector<Op> out;
        std::copy_if(ops.begin(), ops.end(), std::back_inserter(out),
                     [](const Op& o) { return o.kind == 'L' && o.colour == curve_blue; });
        return out;
    }
};

RecordingSurface drawn(double f0, double q) {
    RecordingSurface s;
    vandrel::draw_graph(s, f0, q);
    return s;
}

TEST(DrawGraph, ScaleAndElementCountsInOrder) {
    const auto s = drawn(17, 0.707);
    EXPECT_FLOAT_EQ(s.scale_height, 20);
    EXPECT_FLOAT_EQ(s.scale_width, static_cast<float>(std::log(100.0)));
    EXPECT_TRUE(s.scale_set_before_cls);
    ASSERT_EQ(s.ops.front().kind, 'C');

    // Runs of (kind, colour, width) after Cls, in drawing order.
    struct Run { char kind; Rgb colour; int width; int count; };
    std::vector<Run> runs;
    for (auto it = s.ops.begin() + 1; it != s.ops.end(); ++it) {
        if (!runs.empty() && runs.back().kind == it->kind && runs.back().colour == it->colour &&
            runs.back().width == it->width)
            ++runs.back().count;
        else
            runs.push_back({it->kind, it->colour, it->width, 1});
    }
    const std::vector<Run> expected{
        {'L', light_grid, 1, 98}, {'L', dark_grid, 1, 9},  {'L', light_grid, 1, 20},
        {'L', dark_grid, 1, 7},   {'L', label_grey, 1, 1}, {'L', minus_3db_red, 1, 1},
    };
    ASSERT_GE(runs.size(), expected.size() + 28 + 1);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(runs[i].kind, expected[i].kind) << i;
        EXPECT_EQ(runs[i].colour, expected[i].colour) << i;
        EXPECT_EQ(runs[i].width, expected[i].width) << i;
        EXPECT_EQ(runs[i].count, expected[i].count) << i;
    }
    // 14 labels, each a point then its text, in the label colour.
    for (std::size_t i = expected.size(); i < expected.size() + 28; ++i) {
        EXPECT_EQ(runs[i].kind, (i - expected.size()) % 2 == 0 ? 'P' : 'T') << i;
        EXPECT_EQ(runs[i].colour, label_grey) << i;
        EXPECT_EQ(runs[i].width, 1) << i;
    }
    const Run& curve = runs[expected.size() + 28];
    EXPECT_EQ(curve.kind, 'L');
    EXPECT_EQ(curve.colour, curve_blue);
    EXPECT_EQ(curve.width, 2);
    EXPECT_EQ(curve.count, vandrel::graph_curve_points);
    EXPECT_EQ(runs.size(), expected.size() + 28 + 1);
}

TEST(DrawGraph, GridLinesRunPastTheEdges) {
    const auto lines = drawn(17, 0.707).of_kind('L');
    // First vertical line at 2 Hz, first horizontal at the top edge.
    EXPECT_FLOAT_EQ(lines[0].x1, static_cast<float>(std::log(2.0)));
    EXPECT_FLOAT_EQ(lines[0].y2, 100);
    EXPECT_FLOAT_EQ(lines[97].x1, static_cast<float>(std::log(99.0)));
    EXPECT_FLOAT_EQ(lines[98].x1, static_cast<float>(std::log(10.0)));
    EXPECT_FLOAT_EQ(lines[107].y1, 0);
    EXPECT_FLOAT_EQ(lines[107].x2, 99);
    EXPECT_FLOAT_EQ(lines[126].y1, 19);
    for (int i = 0; i < 7; ++i) EXPECT_FLOAT_EQ(lines[127 + i].y1, static_cast<float>(1 + 3 * i));
    // The 0 dB and -3 dB lines, from the left edge to well past the right one.
    for (const auto& [line, y] : {std::pair{lines[134], 10.0F}, std::pair{lines[135], 13.0F}}) {
        EXPECT_FLOAT_EQ(line.x1, 0);
        EXPECT_FLOAT_EQ(line.y1, y);
        EXPECT_FLOAT_EQ(line.x2, 99);
        EXPECT_FLOAT_EQ(line.y2, y);
    }
}

TEST(DrawGraph, LabelsAtTheirAnchors) {
    const auto s = drawn(17, 0.707);
    const auto points = s.of_kind('P');
    const auto texts = s.of_kind('T');
    struct Label { const char* text; double x; double y; };
    // x of a frequency label is ln f - 0.05.
    const Label expected[] = {
        {"10hz", 2.2526, 18.5}, {"30hz", 3.3512, 18.5}, {"50hz", 3.8620, 18.5}, {"70hz", 4.1985, 18.5},
        {"90hz", 4.4498, 18.5}, {"2hz", 0.6431, 18.5},  {"5hz", 1.5594, 18.5},  {"9dB", 0.1, 0.4},
        {"6dB", 0.1, 3.4},      {"3dB", 0.1, 6.4},      {"0dB", 0.1, 9.4},      {"-3dB", 0.1, 12.4},
        {"-6dB", 0.1, 15.4},    {"-9dB", 0.1, 18.4},
    };
    ASSERT_EQ(points.size(), std::size(expected));
    ASSERT_EQ(texts.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(texts[i].text, expected[i].text);
        EXPECT_NEAR(points[i].x1, expected[i].x, 1e-4) << expected[i].text;
        EXPECT_NEAR(points[i].y1, expected[i].y, 1e-5) << expected[i].text;
    }
}

TEST(DrawGraph, CurveStartsOffThePictureAndEndsJustShortOf99Hz) {
    const auto curve = drawn(20, 0.707).curve();
    ASSERT_EQ(curve.size(), 981u);
    EXPECT_NEAR(curve.front().x1, -2.302585, 1e-5);  // ln 0.1
    EXPECT_FLOAT_EQ(curve.front().y1, 31);
    EXPECT_FLOAT_EQ(curve.front().x2, 0);             // 1 Hz on the left edge
    for (std::size_t i = 1; i < curve.size(); ++i) {  // each segment starts where the last ended
        ASSERT_FLOAT_EQ(curve[i].x1, curve[i - 1].x2) << i;
        ASSERT_FLOAT_EQ(curve[i].y1, curve[i - 1].y2) << i;
    }
    EXPECT_LE(curve.back().x2, static_cast<float>(std::log(99.0)));  // equal once in single precision
    EXPECT_NEAR(curve.back().x2, std::log(99.0), 1e-5);
}

struct LevelCase {
    const char* name;
    double f0, q, f, level_db, tolerance;
};

class ResponseLevel : public ::testing::TestWithParam<LevelCase> {};

TEST_P(ResponseLevel, MatchesTheHighPassSection) {
    const auto& c = GetParam();
    EXPECT_NEAR(vandrel::response_level_db(c.f, c.f0, c.q), c.level_db, c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(Levels, ResponseLevel,
                         ::testing::Values(LevelCase{"butterworth_at_f0", 20, 0.707, 20, -3.01, 0.005},
                                           LevelCase{"butterworth_above_f0", 20, 0.707, 50, -0.11, 0.005},
                                           LevelCase{"below_the_bottom_edge", 20, 0.707, 10, -12.3, 0.05},
                                           LevelCase{"nothing_visible", 1000, 0.707, 99, -40.2, 0.05},
                                           LevelCase{"leaves_through_the_top", 20, 10, 20, 20.0, 0.01},
                                           LevelCase{"butterworth_at_1_hz", 1, 0.707, 1, -3.01, 0.005},
                                           LevelCase{"pass_band_at_5_hz", 1, 0.707, 5, 0, 0.01}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DrawGraph, ButterworthCrossesMinus3dBJustAbove20Hz) {
    const auto curve = drawn(20, 0.707).curve();
    // y = 13 is -3 dB; find the first segment that rises through it.
    for (const auto& seg : curve) {
        if (seg.y1 > 13 && seg.y2 <= 13) {
            EXPECT_NEAR(std::exp(seg.x2), 20.1, 0.06);
            return;
        }
    }
    FAIL() << "the curve never crosses -3 dB";
}

TEST(DrawGraph, StaysNearZeroFrom5HzWhenF0Is1Hz) {
    const auto curve = drawn(1, 0.707).curve();
    for (const auto& seg : curve) {
        if (std::exp(seg.x2) >= 5) {
            ASSERT_NEAR(seg.y2, 10, 0.01);
        }
    }
}

TEST(DrawGraph, SameInputsSamePicture) {
    const auto a = drawn(33.3, 2.5), b = drawn(33.3, 2.5);
    ASSERT_EQ(a.ops.size(), b.ops.size());
    for (std::size_t i = 0; i < a.ops.size(); ++i) {
        EXPECT_EQ(a.ops[i].y2, b.ops[i].y2);
        EXPECT_EQ(a.ops[i].text, b.ops[i].text);
    }
}

}  // namespace
