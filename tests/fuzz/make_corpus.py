#!/usr/bin/env python3
"""Writes the seed corpora of the fuzzers (tests/fuzz/corpus/<name>/) from the
recorded fixtures under tests/data and the shapes the unit tests use. Run it
again after a fixture changes; the fuzzers never write here themselves
(scripts/fuzz.sh runs them on a copy).

Several buffers travel in one input as parts, each a 16-bit little-endian
length and its bytes (tests/fuzz/fuzz_input.h)."""
import pathlib
import shutil
import struct

root = pathlib.Path(__file__).resolve().parents[2]
data = root / "tests" / "data"
corpus = root / "tests" / "fuzz" / "corpus"


def parts(*buffers):
    return b"".join(struct.pack("<H", len(b)) + b for b in buffers)


def utf16(text):
    return text.encode("utf-16-le")


def fixture(path):
    return (data / path).read_bytes()


def write(name, seeds):
    folder = corpus / name
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    for seed_name, content in seeds.items():
        (folder / seed_name).write_bytes(content)


attrs, thresh, ident = (fixture(f"storage/smart_{n}.bin") for n in ("attributes", "thresholds", "identify"))
write("smart", {
    "recorded_drive": parts(attrs, thresh, ident),
    "without_identify": parts(attrs, thresh),
    "truncated_attributes": parts(fixture("storage/smart_attributes_truncated.bin"), thresh, ident),
})

# The IDENTIFY sector where each reply carries it: behind the SRB header and
# the SENDCMDOUTPARAMS header, or behind the latter alone.
unit_serial = bytearray(312)
struct.pack_into("<I", unit_serial, 12, 4 + 12)  # DataTransferLength
unit_serial[76:76 + 16] = bytes([0x05, 0x80, 0x00, 12]) + b" WD-WX12345 "
write("hd_serial", {
    "miniport_identify": bytes(28 + 16) + ident,
    "smart_identify": bytes(16) + ident,
    "unit_serial_page": bytes(unit_serial),
})

mmc = data / "storage" / "mmc"
inquiry = bytes([0x05, 0x80, 0x05, 0x32, 0x5B, 0, 0, 0]) + b"HL-DT-STDVDRAM GH24NSD1 LG01" + bytes(8)
write("mmc", {
    "cdrom": parts(inquiry, (mmc / "config_cdrom.bin").read_bytes(), (mmc / "modesense_no_read.bin").read_bytes()),
    "dvdrom": parts(inquiry, (mmc / "config_dvdrom.bin").read_bytes(), (mmc / "modesense_dvdrw.bin").read_bytes()),
    "bdrom_descriptor": parts(inquiry[:36], (mmc / "config_bdrom.bin").read_bytes(),
                              (mmc / "modesense_block_descriptor.bin").read_bytes()),
})

write("cpuid_dump", {p.stem: p.read_bytes() for p in sorted((data / "cpu").glob("*.dump"))})


def node(usage, page, parent, children, sibling, first_child, kind, alias=0):
    return struct.pack("<6H2B", usage, page, parent, children, sibling, first_child, kind, alias)


def capability(where, page, collection, usage_min, usage_max, is_range):
    return struct.pack("<BHBHHHBHHx", where, page, 0, collection, 0, 0, 2 if is_range else 0, usage_min, usage_max)


mouse_nodes = node(0x02, 0x01, 0, 1, 0, 1, 1) + node(0x01, 0x01, 0, 0, 0, 0, 0)
mouse_caps = capability(0, 0x09, 1, 1, 3, True) + capability(1, 0x01, 1, 0x30, 0x30, False) \
    + capability(1, 0x01, 1, 0x31, 0x31, False)
keyboard_nodes = node(0x06, 0x01, 0, 0, 1, 0, 1) + node(0x80, 0x01, 0, 0, 0, 0, 1)  # two top collections
keyboard_caps = capability(0, 0x07, 0, 0xE0, 0xE7, True) + capability(2, 0x08, 0, 1, 5, True) \
    + capability(5, 0x01, 1, 0x81, 0x83, True)
write("hid_tree", {
    "mouse": parts(mouse_nodes, mouse_caps, utf16("Wine HID mouse")),
    "keyboard_and_system_control": parts(keyboard_nodes, keyboard_caps, utf16("Keyboard")),
})

video_key = "\\Registry\\Machine\\SYSTEM\\CurrentControlSet\\Control\\Video\\{guid}\\0000"
write("display_registry", {
    "hardware_information": parts(utf16(video_key), utf16("Integrated RAMDAC\0"), utf16("ABC\0"),
                                  bytes([0, 0, 0, 8]), utf16("VGA BIOS v1.2\0Copyright\0\0")),
    "short_values": parts(utf16("\\REGISTRY\\MACHINE\\Nowhere"), b"X", b"", bytes([0, 0, 0x10]), b"\x41"),
})

product_id = bytearray(164)
product_id[52:67] = bytes(range(0x11, 0x20))
product_id_n = bytearray(product_id)
product_id_n[66] |= 0x08
write("registry_text", {
    "multi_string": utf16("Ver 1.0\0BIOS Date: 01/01/99\0\0"),
    "digital_product_id": bytes(product_id),
    "digital_product_id_n": bytes(product_id_n),
    "surrogates": utf16("a\U0001F600b") + b"\x00\xd8x\x00",
})

basic = bytearray(44)
basic[40] = 2
time_of_day = bytearray(32)
struct.pack_into("<Q", time_of_day, 8, 0x01D9000080000001)
performance = bytearray(312)
struct.pack_into("<Q", performance, 0, 0x00000001FFFFFFFE)
share = (b"PUBLIC" + bytes(36)) + (b"C" + bytes(41))
write("system_records", {"records": parts(basic, time_of_day, performance, share, struct.pack("<I", 2))})


def wmi_text(text):
    return bytes([7, len(text)]) + utf16(text)


write("wmi_value", {
    "disk_drive": struct.pack("<H", 8) + wmi_text("USB") + wmi_text("1000204886016")
    + bytes([3]) + struct.pack("<q", 1953525168)
    + bytes([8, 3, 3]) + struct.pack("<q", 3) + bytes([4]) + struct.pack("<Q", 4) + bytes([7, 2]) + utf16("x7"),
    "reals": struct.pack("<H", 5) + bytes([6]) + struct.pack("<d", 2.5e18) + bytes([5]) + struct.pack("<f", -0.5),
    "uint32_array": struct.pack("<H", 19 | 0x2000) + bytes([8, 2, 3]) + struct.pack("<q", -1) + bytes([0]),
})

nvme_health, nvme_identify = fixture("storage/nvme_health.bin"), fixture("storage/nvme_identify.bin")


def protocol_reply(payload):
    return struct.pack("<II", 48, 48) + bytes(16) + struct.pack("<II", 40, len(payload)) + bytes(8) + payload


nvme_descriptor = struct.pack("<II", 1, 32) + bytes(20) + struct.pack("<I", 0x11)
write("nvme", {"recorded_disk": parts(nvme_descriptor, protocol_reply(nvme_health), protocol_reply(nvme_identify)),
               "truncated_health": parts(nvme_descriptor,
                                         protocol_reply(fixture("storage/nvme_health_truncated.bin")), b"")})

write("glpi_inventory", {"old": parts(fixture("report/old.json"), b"{6ba7b810-9dad-11d1-80b4-00c04fd430c8}"),
                         "new": parts(fixture("report/new.json"), b"")})
write("report_json", {"old_new": parts(fixture("report/old.json"), fixture("report/new.json")),
                      "format2": parts(fixture("report/format2.json"), fixture("report/old.json"))})
