// Names and descriptions of the ZOR modules, by module type and variant.
#include "a_qjx/zor_module_info.h"

namespace {

#define B "\x95 "
#define NL "\r\n"

const ZorModuleDescription kUnknown = {0, -1, "Unknown Hardware", "This hardware cannot be specified."};

const ZorModuleDescription kModules[] = {
    {0x0600, -1, "ZOR6PCI", B "PCI carrier board" NL B "16 slots by 16 layers"},
    {0x0010, -1, "ZOR-PC", B "ISA carrier board" NL B "16 slots by 16 layers"},
    {0x000B, -1, "ZOR-CPU486", B "486 CPU module" NL B "Real-time operating system Vantor"},
    {0x000C, -1, "ZOR-CPU586", B "Pentium CPU module" NL B "Real-time operating system Vantor"},
    {0x0100, -1, "ZOR-DI16", B "16 digital inputs" NL B "24 V, optically isolated"},
    {0x0110, -1, "ZOR-DO16", B "16 digital outputs" NL B "24 V, 0.5 A, short-circuit proof"},
    {0x0120, 0, "ZOR-REL8/NO", B "8 relay outputs" NL B "Normally open contacts"},
    {0x0120, 1, "ZOR-REL8/NC", B "8 relay outputs" NL B "Normally closed contacts"},
    {0x0120, -1, "ZOR-REL8", B "8 relay outputs"},
    {0x0200, -1, "ZOR-AD8", B "8 analog inputs" NL B "12 bit, +/-10 V"},
    {0x0210, -1, "ZOR-DA4", B "4 analog outputs" NL B "12 bit, +/-10 V"},
    {0x0300, -1, "ZOR-CNT4", B "4 counter inputs" NL B "32 bit, up to 1 MHz"},
    {0x0400, -1, "ZOR-SER2", B "2 serial interfaces" NL B "RS-232 / RS-485"},
    {0x0500, 0, "ZOR-CAN/U", B "CAN interface" NL B "Universal transceiver"},
    {0x0500, -1, "ZOR-CAN", B "CAN interface"},
    {0x0FFF, -1, "Customer specific module", B "Customer specific module"},
};

#undef B
#undef NL

}  // namespace

const ZorModuleDescription& FindZorModuleDescription(WORD type, BYTE variant) {
  for (const ZorModuleDescription& d : kModules)
    if (d.type == type && (d.variant < 0 || d.variant == variant)) return d;
  return kUnknown;
}
