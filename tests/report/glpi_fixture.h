// A small inventory whose sections look like the windows' own: the values
// as the windows show them, a few in forms the GLPI schema would refuse
// (a garbage install date, a BIOS date that is no date, a "Not detected"
// sound card), so a test sees them converted or left out.
#pragma once
#include "report/glpi_inventory.h"
#include "report/inventory.h"

namespace corvane::test_support {

inline report::InventoryDocument GlpiFixtureDocument() {
  using ui::ReportSection;
  using ui::SectionList;
  report::InventoryDocument doc;
  doc.version = L"2.84";
  doc.generated = L"2026-12-11T09:30:05+01:00";
  doc.machine = L"BENCH-PC";
  const auto add = [&doc](ReportSection section) { doc.sections.push_back({std::move(section), 1, {}}); };

  add({L"TForm1", L"Corvane 2.84",
       {{L"Windows", L"Windows 7 Professional, Version 6.1.7601, Service Pack 1, 64 Bit.", false},
        {L"Memory (RAM)", L"4095 MB", false},
        {L"CPU Info", L"Summary CPU", false},
        {L"Sound Card", L"Not detected", false},
        {L"Ports", L"COM1 | COM3 LPT1", false},
        {L"Manufacturer", L"Bench BIOS Co.", false},
        {L"Product Make", L"Bench Tower 9", false},
        {L"Motherboard", L"Bench Boards BX-1", false}},
       {},
       {}});
  add({L"TfrmPersonal", L"Personal windows and system information",
       {{L"Registered Owner", L"Ada", false},
        {L"Product ID", L"12345-OEM-0000001-54321", false},
        {L"Install Date", L"05.08.2010 06:15:54", false}},
       {},
       {}});
  add({L"TfrmMemory", L"Memory",
       {{L"Physical Total", L"4,294,430,720 bytes   (4095 MB)", false},
        {L"Page File Total", L"8,588,861,440 bytes   (8191 MB)", false}},
       {SectionList{L"Installed Memory Modules",
                    {L"Bank", L"Device", L"Data Width", L"Capacity", L"Speed", L"Manufacturer"},
                    {{L"BANK 0", L"DIMM 0", L"64", L"2147483648", L"1333", L"Samsung"},
                     {L"BANK 1", L"DIMM 1", L"64", L"2147483648", L"", L""}}}},
       {}});
  add({L"TfrmDisplay", L"Display",
       {{L"Monitor(s)", L"Bench Monitor 24 | Generic Non-PnP Monitor | ", false}},
       {SectionList{L"Adapters",
                    {L"Adapters", L"Device", L"Chipset", L"DAC", L"Memory", L"State Flags"},
                    {{L"Bench Graphics", L"\\\\.\\DISPLAY1", L"BG-100", L"Internal", L"268,435,456 bytes", L""}}}},
       {}});
  add({L"TfrmDisk", L"Drive Information",
       {},
       {SectionList{L"Drives",
                    {L"Drive", L"Drive Type", L"UNC", L"Volume Serial No.", L"Capacity"},
                    {{L"C: [System]", L"Fixed - NTFS", L"C:\\", L"4300-0000", L"270,553,174,016 bytes"},
                     {L"D: []", L"Fixed - FAT32", L"D:\\", L"1A2B-3C4D", L"1,048,576 bytes"}}},
        SectionList{L"Free Space",
                    {L"Drive", L"Free", L"Free Clusters", L"% Used"},
                    {{L"D: []", L"524,288 bytes", L"1", L"50.0 %"},
                     {L"C: [System]", L"35,607,523,328 bytes", L"8,693,243", L"86.8 %"}},
                    true},
        SectionList{L"SMART Information",
                    {L"Drive", L"SMART Enabled", L"Modal Number", L"Serial Number", L"Firmware Revision", L"Size"},
                    {{L"C: [System]", L"OK", L"BENCH SSD 512", L"S3R1AL", L"FW1.0", L"512,110,190,592"},
                     {L"D: []", L"OK", L"BENCH SSD 512", L"S3R1AL", L"FW1.0", L"512,110,190,592"}}}},
       {}});
  add({L"TfrmUnistall", L"Application Install / Uninstall Information",
       {},
       {SectionList{L"Installed Applications",
                    {L"Name", L"Version", L"Help Link", L"Help Telephone", L"Install Location", L"Install Source",
                     L"Publisher", L"Readme", L"Uninstall", L"", L"Install Date"},
                    {{L"Editor", L"1.2", L"", L"", L"C:\\Editor", L"", L"Someone", L"", L"C:\\Editor\\remove.exe /q",
                      L"EditorKey", L"20201231"},
                     {L"Old Tool", L"", L"", L"", L"", L"", L"", L"", L"", L"OldKey", L"12/31/2020"},
                     {L"Odd Tool", L"", L"", L"", L"", L"", L"", L"", L"", L"OddKey", L"last tuesday"},
                     {L"Future Tool", L"", L"", L"", L"", L"", L"", L"", L"", L"FutureKey", L"20211345"}}}},
       {}});
  add({L"TfrmNetwork", L"Network",
       {{L"Computer Name", L"BENCH-PC", false},
        {L"Username", L"ada", false},
        {L"Workgroup", L"WORKGROUP", false},
        {L"Domain", L"", false}},
       {},
       {}});
  add({L"TfrmNetworkAdapters", L"Network Adapters",
       {},
       {SectionList{L"Adapters",
                    {L"Adapter", L"IP Address", L"MAC Address", L"IP Subnet", L"IP Gateway", L"DHCP Enabled"},
                    {{L"Bench Ethernet", L"fe80::fc:ff:fe00:1%4, 192.0.2.2, fd00::2", L"02-FC-00-00-00-01",
                      L"64, 255.255.255.0, 48", L"192.0.2.1", L"True"},
                     {L"Loose Adapter", L"", L"not a mac", L"", L"", L"False"}}}},
       {}});
  add({L"TfrmPrinters", L"Printers", {}, {SectionList{L"Installed printers", {L"Printer"}, {{L"Laser on LPT1:"}}}}, {}});
  add({L"TfrmBiosInfo", L"BIOS Info",
       {{L"BIOS Date", L"13/45/15", false}, {L"BIOS Version", L"BENCH - 1|BIOS Date: 03/14/15|", false}},
       {},
       {}});
  add({L"TfrmUSB", L"USB",
       {},
       {},
       {{L"Devices",
         {{L"HID-Devices",
           {{L"\"Bench Mouse\"  VID=$045E PID=$00CB", {{L"UsagePage=Generic Desktop ($0001)", {}}}}}}}}}});
  add({L"TfrmDateTime", L"Time and Date", {{L"Time Zone", L"W. Europe Standard Time", false}}, {}, {}});
  add({L"TfrmCPU", L"CPU Info",
       {{L"CPU Brand", L"Bench CPU 3000", false},
        {L"Vendor", L"Bench Micro", false},
        {L"Max Clock Speed", L"2096", false},
        {L"Ext Clock Speed", L"", false}},
       {},
       {}});
  add({L"TfrmSound", L"Sound", {{L"Sound card", L"Not detected", false}}, {}, {}});
  return doc;
}

inline report::GlpiFacts GlpiFixtureFacts() {
  return {L"{6ba7b810-9dad-11d1-80b4-00c04fd430c8}", report::LocalTime{2026, 12, 11, 7, 5, 9, 60}};
}

}  // namespace corvane::test_support
