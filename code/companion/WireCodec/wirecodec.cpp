#include "wirecodec.h"

quint16 WireCodec::crcCCITT(const QByteArray& bytes)
{
    quint16 crc = 0xFFFF;
    for (const char byte : bytes) {
        crc ^= quint16(quint8(byte)) << 8;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
    }
    return crc;
}

void WireCodec::setBit(unsigned char* bitmap, const unsigned& index, const bool& value)
{
    const unsigned char mask = static_cast<unsigned char>(1u << (index % 8));
    if (value)
        bitmap[index / 8] |= mask;
    else
        bitmap[index / 8] &= static_cast<unsigned char>(~mask);
}
