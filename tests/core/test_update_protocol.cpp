// The datagrams of the update protocol: what is sent arrives whole or not at all.
#include "update/Boot_Protocol.h"

#include <gtest/gtest.h>

using namespace UBoot;

TEST(Update_Protocol, PacketsRoundTripAndAnyDamagedByteIsRefused) {
    EXPECT_EQ(Crc32(QByteArray("123456789")), 0xCBF43926u); // the common check value

    Packet p;
    p.code = Cmd_Write;
    p.seq = 0xA1B2C3D4u;
    p.payload = Payload_Writer().u8(0).u8(2).u32(0x66000).u16(3).raw("abc").bytes;
    const QByteArray d = Encode_Packet(p);
    ASSERT_EQ(d.size(), Header_Size + p.payload.size() + Crc_Size);
    EXPECT_EQ(d.left(4), "DRVU");
    EXPECT_EQ(quint8(d[8]), 0xD4); // little-endian sequence number

    Packet back;
    ASSERT_TRUE(Decode_Packet(d, back));
    EXPECT_EQ(back.code, p.code);
    EXPECT_EQ(back.seq, p.seq);
    EXPECT_EQ(back.payload, p.payload);
    Payload_Reader r(back.payload);
    EXPECT_EQ(r.u8(), 0);
    EXPECT_EQ(r.u8(), 2);
    EXPECT_EQ(r.u32(), 0x66000u);
    EXPECT_EQ(r.u16(), 3);
    EXPECT_EQ(r.raw(3), "abc");
    EXPECT_TRUE(r.at_end());
    EXPECT_EQ(r.u8(), 0); // reading past the end is noticed, never undefined
    EXPECT_FALSE(r.ok);

    for (qsizetype i = 0; i < d.size(); ++i) {
        QByteArray bad = d;
        bad[i] = char(bad[i] ^ 0x10);
        EXPECT_FALSE(Decode_Packet(bad, back)) << "byte " << i;
    }
    EXPECT_FALSE(Decode_Packet(d.left(d.size() - 1), back));
    EXPECT_FALSE(Decode_Packet(d + 'x', back));
    EXPECT_FALSE(Decode_Packet(QByteArray(), back));
}
