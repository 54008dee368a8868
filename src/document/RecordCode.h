#pragma once
// A kind's record as straight code, made at compile time from its field
// table: each run of fixed-size fields costs one bounds check and is stored
// at fixed offsets, with no dispatch on a field's type. A page may hold
// 30,000 frames, so this is the whole cost of saving most of them. The
// bytes are those the field-by-field code writes and reads.
//
//   TRecordLayout TCDLRechteck::RecordLayout() const { return TRecordCode<kRectLayout>::Layout; }

#include "Frame.h"
#include "TextLayout.h"

#include <QtEndian>
#include <cstddef>
#include <utility>

namespace RecordCodeDetail {

inline constexpr int RecordHeadSize = 8;

// Bytes of a field of fixed size; -1 for one whose size the data decides.
constexpr int FixedSize(TFieldType t)
{
    switch (t) {
    case TFieldType::Int32:
    case TFieldType::Color: return 4;
    case TFieldType::Bool: return 1;
    case TFieldType::ShortString: return ShortStringSize;
    case TFieldType::Paragraphs:
    case TFieldType::Custom: return -1;
    }
    return -1;
}

// Where field i lies in its run of fixed-size fields.
template <const auto &Table> constexpr int RunOffset(std::size_t i)
{
    int at = 0;
    while (i > 0 && FixedSize(Table[i - 1].Type) >= 0)
        at += FixedSize(Table[--i].Type);
    return at;
}

// Bytes of the run of fixed-size fields that starts at field i.
template <const auto &Table> constexpr int RunBytes(std::size_t i)
{
    int n = 0;
    for (; i < std::size(Table) && FixedSize(Table[i].Type) >= 0; ++i)
        n += FixedSize(Table[i].Type);
    return n;
}

} // namespace RecordCodeDetail

template <const auto &Table> struct TRecordCode
{
    static void Write(const TCDLFrame &f, TStreamWriter &out, uint16_t tag)
    {
        using namespace RecordCodeDetail;
        char *p = out.claim(RecordHeadSize + RunBytes<Table>(0));
        qToLittleEndian<uint16_t>(RecordMarker, p);
        qToLittleEndian<uint16_t>(tag, p + 2);
        qToLittleEndian<int32_t>(0, p + 4);
        p += RecordHeadSize;
        [&]<std::size_t... I>(std::index_sequence<I...>) { (WriteField<I>(f, out, p), ...); }
        (std::make_index_sequence<std::size(Table)>());
    }

    static void Read(TCDLFrame &f, TStreamReader &in)
    {
        const char *p = nullptr;
        [&]<std::size_t... I>(std::index_sequence<I...>) { (ReadField<I>(f, in, p), ...); }
        (std::make_index_sequence<std::size(Table)>());
    }

    static constexpr TRecordLayout Layout{Table, &Write, &Read};

private:
    template <class T, std::size_t I> static T &Member(TCDLFrame &f)
    {
        constexpr auto address = Table[I].Address;
        return *static_cast<T *>(address(f));
    }

    template <std::size_t I> static void WriteField(const TCDLFrame &cf, TStreamWriter &out, char *&p)
    {
        using namespace RecordCodeDetail;
        constexpr TRecordField field = Table[I];
        TCDLFrame &f = const_cast<TCDLFrame &>(cf);
        if constexpr (FixedSize(field.Type) >= 0) {
            // The first run was claimed with the head.
            if constexpr (I > 0 && RunOffset<Table>(I) == 0)
                p = out.claim(RunBytes<Table>(I));
            char *at = p + RunOffset<Table>(I);
            if constexpr (field.Type == TFieldType::Int32)
                qToLittleEndian<int32_t>(Member<int32_t, I>(f), at);
            else if constexpr (field.Type == TFieldType::Color)
                qToLittleEndian<uint32_t>(Member<TColor, I>(f), at);
            else if constexpr (field.Type == TFieldType::Bool)
                *at = Member<bool, I>(f) ? 1 : 0;
            else
                EncodeShortString(at, Member<QString, I>(f), cf.StoredShortString(field.Name));
        } else if constexpr (field.Type == TFieldType::Paragraphs) {
            WriteRecordText(out, Member<QStringList, I>(f));
        } else {
            field.Codec->Write(cf, out);
        }
    }

    template <std::size_t I> static void ReadField(TCDLFrame &f, TStreamReader &in, const char *&p)
    {
        using namespace RecordCodeDetail;
        constexpr TRecordField field = Table[I];
        if constexpr (FixedSize(field.Type) >= 0) {
            if constexpr (RunOffset<Table>(I) == 0)
                p = in.consume(RunBytes<Table>(I));
            const char *at = p + RunOffset<Table>(I);
            if constexpr (field.Type == TFieldType::Int32)
                Member<int32_t, I>(f) = qFromLittleEndian<int32_t>(at);
            else if constexpr (field.Type == TFieldType::Color)
                Member<TColor, I>(f) = qFromLittleEndian<uint32_t>(at);
            else if constexpr (field.Type == TFieldType::Bool)
                Member<bool, I>(f) = *at != 0;
            else {
                Member<QString, I>(f) = DecodeShortString(at);
                f.KeepShortString(field.Name, at);
            }
        } else if constexpr (field.Type == TFieldType::Paragraphs) {
            Member<QStringList, I>(f) = ReadRecordText(in);
        } else {
            field.Codec->Read(f, in);
        }
    }
};
