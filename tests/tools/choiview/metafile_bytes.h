#pragma once
// Small EMF and WMF files made record by record: a rectangle filled with one colour on a
// picture of a known size, and nothing else.

#include <cstdint>
#include <string>

namespace pelmora::testing {

inline void PutU16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8 & 0xFF));
}
inline void PutU32(std::string& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

// colour is 0x00BBGGRR. The picture is width x height pixels at 96 dpi (frame in 0.01 mm);
// the rectangle covers (left, top) to (right, bottom).
inline std::string EmfWithRectangle(int width, int height, std::uint32_t colour, int left, int top, int right,
                                    int bottom) {
    std::string records;
    PutU32(records, 39);  // EMR_CREATEBRUSHINDIRECT: object 1, solid
    PutU32(records, 24);
    PutU32(records, 1);
    PutU32(records, 0);
    PutU32(records, colour);
    PutU32(records, 0);
    PutU32(records, 37);  // EMR_SELECTOBJECT
    PutU32(records, 12);
    PutU32(records, 1);
    PutU32(records, 37);  // EMR_SELECTOBJECT: the stock null pen, so no outline
    PutU32(records, 12);
    PutU32(records, 0x80000008);
    PutU32(records, 43);  // EMR_RECTANGLE
    PutU32(records, 24);
    for (int edge : {left, top, right, bottom}) PutU32(records, static_cast<std::uint32_t>(edge));
    PutU32(records, 14);  // EMR_EOF
    PutU32(records, 20);
    PutU32(records, 0);
    PutU32(records, 16);
    PutU32(records, 20);

    constexpr std::uint32_t kHeaderSize = 108;
    std::string emf;
    PutU32(emf, 1);  // EMR_HEADER
    PutU32(emf, kHeaderSize);
    for (int bound : {0, 0, width - 1, height - 1}) PutU32(emf, static_cast<std::uint32_t>(bound));
    for (int frame : {0, 0, (width * 2540 + 48) / 96, (height * 2540 + 48) / 96})
        PutU32(emf, static_cast<std::uint32_t>(frame));
    PutU32(emf, 0x464D4520);
    PutU32(emf, 0x10000);
    PutU32(emf, static_cast<std::uint32_t>(kHeaderSize + records.size()));
    PutU32(emf, 6);   // records
    PutU16(emf, 2);   // handles
    PutU16(emf, 0);
    PutU32(emf, 0);   // description
    PutU32(emf, 0);
    PutU32(emf, 0);   // palette entries
    PutU32(emf, 1920);  // reference device, pixels and millimetres (96 dpi)
    PutU32(emf, 1080);
    PutU32(emf, 508);
    PutU32(emf, 286);
    PutU32(emf, 0);   // pixel format
    PutU32(emf, 0);
    PutU32(emf, 0);   // OpenGL
    PutU32(emf, 508000);  // micrometres
    PutU32(emf, 285750);
    return emf + records;
}

// A placeable WMF of width x height pixels at 96 units per inch.
inline std::string WmfWithRectangle(int width, int height, std::uint32_t colour, int left, int top, int right,
                                    int bottom) {
    std::string records;
    auto record = [&records](std::uint32_t words, std::uint16_t function) {
        PutU32(records, words);
        PutU16(records, function);
    };
    record(5, 0x020B);  // META_SETWINDOWORG y, x
    PutU16(records, 0);
    PutU16(records, 0);
    record(5, 0x020C);  // META_SETWINDOWEXT y, x
    PutU16(records, static_cast<std::uint32_t>(height));
    PutU16(records, static_cast<std::uint32_t>(width));
    record(7, 0x02FC);  // META_CREATEBRUSHINDIRECT: solid -> object 0
    PutU16(records, 0);
    PutU32(records, colour);
    PutU16(records, 0);
    record(4, 0x012D);  // META_SELECTOBJECT
    PutU16(records, 0);
    record(8, 0x02FA);  // META_CREATEPENINDIRECT: null pen -> object 1
    PutU16(records, 5);
    PutU32(records, 0);
    PutU32(records, 0);
    record(4, 0x012D);
    PutU16(records, 1);
    record(7, 0x041B);  // META_RECTANGLE bottom, right, top, left
    for (int edge : {bottom, right, top, left}) PutU16(records, static_cast<std::uint32_t>(edge));
    record(3, 0x0000);  // META_EOF

    std::string wmf;
    PutU32(wmf, 0x9AC6CDD7);  // placeable header
    PutU16(wmf, 0);
    for (int bound : {0, 0, width, height}) PutU16(wmf, static_cast<std::uint32_t>(bound));
    PutU16(wmf, 96);  // units per inch
    PutU32(wmf, 0);
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < wmf.size(); i += 2)
        checksum ^= static_cast<std::uint16_t>(static_cast<unsigned char>(wmf[i]) |
                                               static_cast<unsigned char>(wmf[i + 1]) << 8);
    PutU16(wmf, checksum);
    PutU16(wmf, 1);  // in memory
    PutU16(wmf, 9);
    PutU16(wmf, 0x0300);
    PutU32(wmf, static_cast<std::uint32_t>((18 + records.size()) / 2));
    PutU16(wmf, 2);  // objects
    PutU32(wmf, 8);  // largest record, words
    PutU16(wmf, 0);
    return wmf + records;
}

}  // namespace pelmora::testing
