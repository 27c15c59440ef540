#ifndef WIRECODEC_H
#define WIRECODEC_H

#include "wirecodec_export.h"

#include <QByteArray>

// The band's packet codec.
class WIRECODEC_EXPORT WireCodec
{
public:
    virtual ~WireCodec() = default;

    // CRC-16/CCITT-FALSE: polynomial 0x1021, initial 0xFFFF, no reflection, no final xor.
    // The one CRC of the whole system: band packets and the stored days alike.
    static quint16 crcCCITT(const QByteArray& bytes);
    // Bit index 0 is the lowest bit of bitmap[0].
    static void setBit(unsigned char* bitmap, const unsigned& index, const bool& value);
};

#endif // WIRECODEC_H
