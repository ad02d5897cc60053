// VISA resource names: which texts are names, and what a name says of its resource.
#include "sim/resource_name.h"

#include <gtest/gtest.h>

#include "visa.h"

namespace {

using sim::parse_resource_name;

TEST(ResourceName, EveryFormOfTheGrammarIsAName) {
    for (const char* name : {"VXI0::8::INSTR",
                             "vxi0::8::instr",
                             "VXI::8",
                             "VXI12::511::INSTR",
                             "VXI0::MEMACC",
                             "VXI0::SERVANT",
                             "VXI0::BACKPLANE",
                             "VXI0::8::BACKPLANE",
                             "GPIB-VXI1::40::INSTR",
                             "GPIB-VXI1::40",
                             "GPIB-VXI1::MEMACC",
                             "GPIB-VXI::BACKPLANE",
                             "GPIB0::12::INSTR",
                             "GPIB0::12",
                             "GPIB0::12::30::INSTR",
                             "GPIB0::INTFC",
                             "GPIB::SERVANT",
                             "ASRL1",
                             "ASRL1::INSTR",
                             "ASRL::INSTR",
                             "ASRL",
                             "TCPIP0::192.168.10.5::inst0::INSTR",
                             "TCPIP::crate-7",
                             "TCPIP0::crate-7::hislip0",
                             "TCPIP0::192.168.10.5::5025::SOCKET",
                             "TCPIP0::[fe80::1]::inst0::INSTR",
                             "USB0::0x1234::0x0155::QC-0042::INSTR",
                             "USB::0x0957::0x1796::MY1",
                             "USB0::4660::341::MY1::2::INSTR",
                             "USB0::0x0957::0x1796::MY1::RAW",
                             "PXI0::8::INSTR",
                             "PXI0::8::1",
                             "PXI0::2-8.1::INSTR",
                             "PXI0::CHASSIS1::SLOT4::INSTR",
                             "PXI0::CHASSIS1::SLOT4::FUNC1",
                             "PXI0::MEMACC",
                             "PXI0::1::BACKPLANE",
                             "VXI0::000000000000000000000000056::INSTR"}) {
        EXPECT_TRUE(parse_resource_name(name)) << name;
    }
}

TEST(ResourceName, TextsOutsideTheGrammarAreNoNames) {
    for (const char* text : {"",
                             "VXI0",
                             "VXI0::",
                             "VXI0::INSTR",
                             "VXI0::8::FOO",
                             "VXI0::8::INSTR::",
                             "VXI0::::INSTR",
                             "VXI0::8::16::INSTR",
                             "VXI0::512::INSTR",
                             "VXI0::-1::INSTR",
                             "VXI0::8x::INSTR",
                             "VXI0::MEMACC::INSTR",
                             "VXI0::8::MEMACC",
                             "VXI0::SERVANT::8",
                             "GPIB-VXI0::SERVANT",
                             "VXI99999::8::INSTR",
                             "VXI0::8 ::INSTR",
                             "VXI0::8::INSTR ",
                             "GPIB0::INSTR",
                             "GPIB0::31::INSTR",
                             "GPIB0::1::31::INSTR",
                             "GPIB0::1::2::3::INSTR",
                             "GPIB0::12::INTFC",
                             "ASRL1::MEMACC",
                             "ASRL1::2::INSTR",
                             "TCPIP0::INSTR",
                             "TCPIP0",
                             "TCPIP0::host::SOCKET",
                             "TCPIP0::host::65536::SOCKET",
                             "TCPIP0::host::a::b::INSTR",
                             "TCPIP0::[fe80::1::inst0::INSTR",
                             "USB0::0x0957::INSTR",
                             "USB0::0x0957::0x1796::INSTR",
                             "USB0::0x10000::0x1796::MY1::INSTR",
                             "USB0::0x0957::0x1796::MY1::0::1::INSTR",
                             "USB0::0x0957::0x1796::MY1::RAW::INSTR",
                             "PXI0::INSTR",
                             "PXI0::CHASSIS1::INSTR",
                             "PXI0::x-y::INSTR",
                             "NOPE0::9::INSTR",
                             "::",
                             "::INSTR"}) {
        EXPECT_FALSE(parse_resource_name(text)) << text;
    }
}

}  // namespace
