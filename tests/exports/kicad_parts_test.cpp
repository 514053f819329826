// SPDX-License-Identifier: GPL-3.0-or-later
// The parts on the board: references, values, footprints and nets.
#include <gtest/gtest.h>

#include "vandrel/as_built/kicad.h"
#include "vandrel/batch.h"

namespace {

using namespace vandrel::as_built;

AsBuilt built(std::map<vandrel::Field, std::string> fields, ESeries series, Combine combine, double r_tol = 1) {
    Options o;
    o.source = {PartSource::Kind::series, series};
    o.combine = combine;
    o.tolerance.r_pct = r_tol;
    return analyse(vandrel::solve_batch(vandrel::Mode::sos, fields).design, o);
}

std::string summary(const std::vector<BoardPart>& parts) {
    std::string out;
    for (const BoardPart& p : parts) {
        out += p.reference + " " + p.value;
        for (const BoardPart::Pin& pin : p.pins) out += " " + pin.net;
        out += "\n";
    }
    return out;
}

TEST(BoardParts, SecondPartsOfPairsAndTheirNets) {
    using vandrel::Field;
    const AsBuilt b = built({{Field::gain, "3"}, {Field::freq, "23"}, {Field::q, "0.8"}}, ESeries::E6, Combine::parallel,
                            0.1);
    EXPECT_EQ(summary(board_parts(b, Footprints::through_hole)),
              "R1 150 kΩ buf_fb GND\nR2 15 kΩ buf_out buf_fb\nR3 47 kΩ hp_mid hp_out\nR4 22 kΩ hp_in GND\n"
              "R5 47 kΩ buf_in GND\nR6 200 Ω hp_out OUT\nR7 47 kΩ buf_fb GND\nR8 4.7 kΩ hp_mid hp_out\n"
              "R9 22 kΩ hp_in GND\nC1 1 µF buf_out hp_mid\nC2 1 µF hp_mid hp_in\nC3 1 µF IN buf_in\n"
              "C4 0.01 µF buf_out buf_fb\nU1 TL072 buf_out buf_fb buf_in -15V hp_in hp_out hp_out +15V\n");
    const AsBuilt series = built({{Field::gain, "0"}, {Field::freq, "20"}, {Field::q, "2"}}, ESeries::E24,
                                 Combine::series);
    EXPECT_EQ(summary(board_parts(series, Footprints::smd)),
              "R3 2 kΩ hp_mid hp_out\nR4 30 kΩ hp_in n_R4\nR5 47 kΩ buf_in GND\nR6 200 Ω hp_out OUT\n"
              "R9 1.8 kΩ n_R4 GND\nC1 1 µF buf_out hp_mid\nC2 1 µF hp_mid hp_in\nC3 1 µF IN buf_in\n"
              "U1 TL072 buf_out buf_out buf_in -15V hp_in hp_out hp_out +15V\n");
}

struct FootprintCase {
    Footprints footprints;
    const char* resistor;
    const char* capacitor;
    const char* opamp;
};

class Footprint : public testing::TestWithParam<FootprintCase> {};

TEST_P(Footprint, EachKindGetsItsOwn) {
    const FootprintCase& c = GetParam();
    for (const BoardPart& p : board_parts(built({}, ESeries::E24, Combine::single), c.footprints)) {
        const char* want = p.kind == BoardPart::Kind::resistor    ? c.resistor
                           : p.kind == BoardPart::Kind::capacitor ? c.capacitor
                                                                  : c.opamp;
        EXPECT_EQ(p.footprint, want) << p.reference;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Footprint,
    testing::Values(FootprintCase{Footprints::through_hole,
                                  "Resistor_THT:R_Axial_DIN0207_L6.3mm_D2.5mm_P10.16mm_Horizontal",
                                  "Capacitor_THT:C_Rect_L7.2mm_W4.5mm_P5.00mm_FKS2_FKP2_MKS2_MKP2",
                                  "Package_DIP:DIP-8_W7.62mm"},
                    FootprintCase{Footprints::smd, "Resistor_SMD:R_0805_2012Metric", "Capacitor_SMD:C_0805_2012Metric",
                                  "Package_SO:SOIC-8_3.9x4.9mm_P1.27mm"}));

TEST(FootprintNames, ReadInAnyCase) {
    EXPECT_EQ(footprints_from_name("SMD"), Footprints::smd);
    EXPECT_EQ(footprints_from_name("tht"), Footprints::through_hole);
    EXPECT_EQ(footprints_from_name("0805"), std::nullopt);
    EXPECT_EQ(footprints_name(Footprints::smd), "smd");
}

// The start design, 17 Hz at Q 0.707 with 1 uF: Xc 9.36k, R3 = Xc/(2Q)
// 6.62k and R4 = 2Q Xc 13.2k, bought as 6.8k and 13k. Rows by rising value;
// a designator list holds commas, so the field is quoted; tolerances as
// "1%", none for the op-amp.
TEST(Bom, QuotesListsOfDesignators) {
    EXPECT_EQ(bom_csv(built({}, ESeries::E24, Combine::single), Footprints::smd),
              "Designator,Comment,Footprint,Quantity,Tolerance,Manufacturer,MPN\n"
              "R6,200 Ω,R_0805_2012Metric,1,1%,,\n"
              "R3,6.8 kΩ,R_0805_2012Metric,1,1%,,\n"
              "R4,13 kΩ,R_0805_2012Metric,1,1%,,\n"
              "\"R1,R2\",15 kΩ,R_0805_2012Metric,2,1%,,\n"
              "R5,47 kΩ,R_0805_2012Metric,1,1%,,\n"
              "C4,0.01 µF,C_0805_2012Metric,1,5%,,\n"
              "\"C1,C2,C3\",1 µF,C_0805_2012Metric,3,5%,,\n"
              "U1,TL072,SOIC-8_3.9x4.9mm_P1.27mm,1,,,\n");
}

}  // namespace
