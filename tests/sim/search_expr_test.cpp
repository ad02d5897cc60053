#include "sim/search_expr.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>

#include "sim_fixture.h"

namespace {

using sim::SearchExpression;

bool matches(const char* expression, const char* name) {
    auto compiled = SearchExpression::compile(expression);
    EXPECT_TRUE(compiled) << expression;
    return compiled && compiled->matches_name(name);
}

bool malformed(const char* expression) {
    return !SearchExpression::compile(expression);
}

using Attributes = std::map<ViAttr, sim::AttributeValue>;

// Whether the expression matches VXI0::8::INSTR, a resource with these attributes.
bool matches_with(const std::string& expression, const Attributes& attributes) {
    auto compiled = SearchExpression::compile(expression);
    EXPECT_TRUE(compiled) << expression;
    const sim::AttributeReader read = [&](ViAttr a) -> std::optional<sim::AttributeValue> {
        auto it = attributes.find(a);
        if (it == attributes.end()) return std::nullopt;
        return it->second;
    };
    return compiled && compiled->matches("VXI0::8::INSTR", read);
}

TEST(SearchExpression, DocumentedExamples) {
    EXPECT_TRUE(matches("?*VXI[0-9]*::?*INSTR", "VXI0::1::INSTR"));
    EXPECT_TRUE(matches("?*VXI[0-9]*::?*INSTR", "GPIB-VXI0::1::INSTR"));
    EXPECT_FALSE(matches("VXI?*INSTR", "GPIB-VXI0::1::INSTR"));
    EXPECT_FALSE(matches("GPIB[^0]::?*INSTR", "GPIB12::8::INSTR"));
    EXPECT_TRUE(matches("GPIB[^0]::?*INSTR", "GPIB1::8::INSTR"));
    EXPECT_TRUE(matches("ASRL1+::INSTR", "ASRL1::INSTR"));
    EXPECT_TRUE(matches("ASRL1+::INSTR", "ASRL11::INSTR"));
    EXPECT_FALSE(matches("ASRL1+::INSTR", "ASRL12::INSTR"));
}

TEST(SearchExpression, DiscoveryExpressionOnOtherInterfaces) {
    const char* discovery = "?*VXI[0-9]*::?*INSTR";
    EXPECT_TRUE(matches(discovery, "VXI12::8::INSTR"));
    EXPECT_TRUE(matches(discovery, "VXI0::56::QORM-TEST-BENCH-CARRIER::INSTR"));
    EXPECT_TRUE(matches(discovery, "VXI::8::INSTR")) << "?* and [0-9]* may both match nothing";
    EXPECT_TRUE(matches(discovery, "GPIB-VXI::8::INSTR"));
    EXPECT_FALSE(matches(discovery, "TCPIP0::192.168.10.5::inst0::INSTR"));
    EXPECT_FALSE(matches(discovery, "VXI0::8::MEMACC"));
    EXPECT_FALSE(matches(discovery, "VXI0::8::INSTR2")) << "anchored at the end";
}

TEST(SearchExpression, AnchoredAtBothEnds) {
    EXPECT_TRUE(matches("VXI0::8::INSTR", "VXI0::8::INSTR"));
    EXPECT_FALSE(matches("VXI0::8", "VXI0::8::INSTR"));
    EXPECT_FALSE(matches("0::8::INSTR", "VXI0::8::INSTR"));
    EXPECT_FALSE(matches("VXI0::8::INSTR", "VXI0::8::INSTR "));
}

TEST(SearchExpression, IgnoresCase) {
    EXPECT_TRUE(matches("vxi0::8::instr", "VXI0::8::INSTR"));
    EXPECT_TRUE(matches("[a-z]*0::8::INSTR", "VXI0::8::INSTR"));
    EXPECT_FALSE(matches("[^v]XI0::8::INSTR", "VXI0::8::INSTR"));
}

TEST(SearchExpression, ListsAndRanges) {
    EXPECT_TRUE(matches("VXI[0-3]::8::INSTR", "VXI3::8::INSTR"));
    EXPECT_FALSE(matches("VXI[0-3]::8::INSTR", "VXI4::8::INSTR"));
    EXPECT_TRUE(matches("VXI[13579]::8::INSTR", "VXI7::8::INSTR"));
    EXPECT_FALSE(matches("VXI[13579]::8::INSTR", "VXI8::8::INSTR"));
    EXPECT_TRUE(matches("VXI[0-24-6]::8::INSTR", "VXI5::8::INSTR"));
    EXPECT_FALSE(matches("VXI[0-24-6]::8::INSTR", "VXI3::8::INSTR"));
    EXPECT_TRUE(matches("GPIB[-]VXI0::8::INSTR", "GPIB-VXI0::8::INSTR")) << "a lone '-' is itself";
    EXPECT_TRUE(matches("VXI0::8::INSTR[a-]", "VXI0::8::INSTR-"));
    EXPECT_TRUE(matches("VXI0[^:]::8::INSTR", "VXI00::8::INSTR"));
    EXPECT_FALSE(matches("VXI0[^:]::8::INSTR", "VXI0:::8::INSTR"));
    EXPECT_TRUE(matches("VXI0::[\\]]::INSTR", "VXI0::]::INSTR"));
}

TEST(SearchExpression, RepetitionOfCharactersAndGroups) {
    EXPECT_TRUE(matches("VXI0*::8::INSTR", "VXI::8::INSTR"));
    EXPECT_TRUE(matches("VXI0*::8::INSTR", "VXI000::8::INSTR"));
    EXPECT_FALSE(matches("VXI0+::8::INSTR", "VXI::8::INSTR"));
    EXPECT_TRUE(matches("VXI0(::[0-9]+)*::INSTR", "VXI0::INSTR"));
    EXPECT_TRUE(matches("VXI0(::[0-9]+)*::INSTR", "VXI0::8::16::INSTR"));
    EXPECT_FALSE(matches("VXI0(::[0-9]+)+::INSTR", "VXI0::INSTR"));
    EXPECT_TRUE(matches("(ab)+", "ababab"));
    EXPECT_FALSE(matches("(ab)+", "ababa"));
    EXPECT_TRUE(matches("((a*)*)*b", "aaab")) << "nested repetition of what may match nothing";
}

TEST(SearchExpression, AlternationOfWholeExpressions) {
    EXPECT_TRUE(matches("VXI?*|GPIB?*", "GPIB0::12::INSTR"));
    EXPECT_TRUE(matches("VXI?*|GPIB?*", "VXI0::8::INSTR"));
    EXPECT_FALSE(matches("VXI?*|GPIB?*", "ASRL1::INSTR"));
    // The alternation takes whole expressions: VXI|GPIB is (VXI)|(GPIB), not VX(I|G)PIB.
    EXPECT_TRUE(matches("VXI|GPIB", "VXI"));
    EXPECT_FALSE(matches("VXI|GPIB", "VXGPIB"));
    EXPECT_TRUE(matches("(VXI|GPIB-VXI)0::?*INSTR", "GPIB-VXI0::8::INSTR"));
    EXPECT_FALSE(matches("(VXI|GPIB-VXI)0::?*INSTR", "PXI0::8::INSTR"));
}

TEST(SearchExpression, EscapesMakeSpecialCharactersLiteral) {
    EXPECT_TRUE(matches("VXI0\\*", "VXI0*"));
    EXPECT_FALSE(matches("VXI0\\*", "VXI00"));
    EXPECT_TRUE(matches("a\\?b", "a?b"));
    EXPECT_FALSE(matches("a\\?b", "axb"));
    EXPECT_TRUE(matches("\\(x\\)\\|\\[", "(x)|["));
    EXPECT_TRUE(matches("a\\\\b", "a\\b"));
}

TEST(SearchExpression, MalformedExpressions) {
    for (const char* bad : {"",
                            "*VXI",
                            "+VXI",
                            "VXI**",
                            "VXI*+",
                            "(VXI",
                            "VXI)",
                            "()",
                            "[]",
                            "[^]",
                            "VXI[0-9",
                            "VXI\\",
                            "[9-0]",
                            "VXI|",
                            "|VXI",
                            "VXI||GPIB",
                            "(|VXI)",
                            "VXI{VI_ATTR_SLOT==1",
                            "VXI{VI_ATTR_SLOT==1}x",
                            "VXI{VI_ATTR_NOPE==1}",
                            "VXI{VI_ATTR_SLOT}",
                            "VXI{}",
                            "{VI_ATTR_SLOT==1}",
                            "(a|*)"}) {
        EXPECT_TRUE(malformed(bad)) << bad;
    }
    EXPECT_TRUE(malformed(std::string(1025, 'a').c_str()));
    EXPECT_TRUE(malformed((std::string(40, '(') + "a" + std::string(40, ')')).c_str()));
    EXPECT_FALSE(malformed((std::string(20, '(') + "a" + std::string(20, ')')).c_str()));
}

TEST(SearchExpression, AttributeConditionIsEvaluated) {
    const Attributes attributes{{VI_ATTR_SLOT, int64_t{3}}, {VI_ATTR_MODEL_CODE, int64_t{0x155}}};
    auto check = [&](const std::string& expression) {
        return matches_with(expression, attributes);
    };
    EXPECT_TRUE(check("VXI?*{VI_ATTR_SLOT == 3}"));
    EXPECT_FALSE(check("VXI?*{VI_ATTR_SLOT != 3}"));
    EXPECT_TRUE(check("VXI?* {VI_ATTR_SLOT>0 && VI_ATTR_MODEL_CODE==0x155}"));
    EXPECT_FALSE(check("VXI?*{VI_ATTR_SLOT>0 && VI_ATTR_MODEL_CODE==0x10D}"));
    EXPECT_TRUE(check("VXI?*{VI_ATTR_MODEL_CODE==0x10D || VI_ATTR_MODEL_CODE==0x155}"));
    EXPECT_TRUE(check("VXI?*{!(VI_ATTR_SLOT < 3)}"));
    EXPECT_TRUE(check("VXI?*{VI_ATTR_SLOT <= 3 && VI_ATTR_SLOT >= 3}"));
    EXPECT_FALSE(check("VXI?*{VI_ATTR_MANF_ID == 0}")) << "a missing attribute fails the test";
    EXPECT_FALSE(check("GPIB?*{VI_ATTR_SLOT == 3}")) << "the name is tested first";
}

TEST(SearchExpression, TextsAndNumbersOverTheWholeRange) {
    const Attributes attributes{{VI_ATTR_SLOT, int64_t{INT64_MIN}},
                                {VI_ATTR_MODEL_CODE, int64_t{INT64_MAX}},
                                {VI_ATTR_RSRC_NAME, std::string("VXI0::8::INSTR")},
                                {sim::kAttrUsbSerialNum, std::string("A \"quoted\" }serial")}};
    auto check = [&](const std::string& condition) {
        return matches_with("?*{" + condition + "}", attributes);
    };
    EXPECT_TRUE(check("VI_ATTR_SLOT == -9223372036854775808"));
    EXPECT_TRUE(check("VI_ATTR_SLOT < -9223372036854775807"));
    EXPECT_TRUE(check("VI_ATTR_SLOT > -18446744073709551615"));
    EXPECT_TRUE(check("VI_ATTR_SLOT < 0 && VI_ATTR_SLOT < -0 && VI_ATTR_SLOT != 0x0"));
    EXPECT_TRUE(check("VI_ATTR_MODEL_CODE == 0x7FFFFFFFFFFFFFFF"));
    EXPECT_TRUE(check("VI_ATTR_MODEL_CODE < 0x8000000000000000"));
    EXPECT_TRUE(check("VI_ATTR_MODEL_CODE >= -1"));
    EXPECT_TRUE(check("VI_ATTR_RSRC_NAME == \"VXI0::8::INSTR\""));
    EXPECT_FALSE(check("VI_ATTR_RSRC_NAME == \"vxi0::8::instr\"")) << "texts compare exactly";
    EXPECT_TRUE(check("VI_ATTR_RSRC_NAME != \"\""));
    EXPECT_TRUE(check("VI_ATTR_USB_SERIAL_NUM == \"A \\\"quoted\\\" }serial\""));
    EXPECT_FALSE(check("VI_ATTR_TCPIP_ADDR != \"x\"")) << "a missing text fails != too";
    EXPECT_TRUE(check("!(VI_ATTR_TCPIP_ADDR == \"x\")"));
}

}  // namespace
