#include "runtime/exchange/compound.h"

#include <QtEndian>

namespace tess {

namespace {

constexpr quint32 lastSector = 0xFFFFFFFA;   // above: end of chain, free, FAT markers

quint32 u32(const QByteArray& d, qsizetype at)
{
    return at + 4 <= d.size() ? qFromLittleEndian<quint32>(d.constData() + at) : 0xFFFFFFFF;
}
quint16 u16(const QByteArray& d, qsizetype at)
{
    return at + 2 <= d.size() ? qFromLittleEndian<quint16>(d.constData() + at) : 0;
}

void appendWords(QList<quint32>& out, const QByteArray& bytes)
{
    for (qsizetype at = 0; at + 4 <= bytes.size(); at += 4)
        out << u32(bytes, at);
}

} // namespace

bool CompoundFile::isCompound(const QByteArray& data)
{
    return data.startsWith(QByteArray::fromHex("D0CF11E0A1B11AE1"));
}

CompoundFile::CompoundFile(const QByteArray& data) : data_(data)
{
    if (!isCompound(data) || data.size() < 512)
        return;
    const int shift = u16(data, 0x1E);
    if (shift != 9 && shift != 12)
        return;
    sectorSize_ = 1 << shift;
    miniCutoff_ = u32(data, 0x38);
    auto sector = [&](quint32 n) { return data.mid(qsizetype(n + 1) * sectorSize_, sectorSize_); };

    // The FAT sectors are listed in the header and then in a chain of
    // DIFAT sectors, each ending with the number of the next one.
    // A damaged header may claim more of them than the file has sectors.
    QList<quint32> fatSectors;
    const quint32 fatCount = qMin(u32(data, 0x2C), quint32(data.size() / sectorSize_));
    for (quint32 i = 0; i < 109 && i < fatCount; ++i)
        fatSectors << u32(data, 0x4C + 4 * i);
    quint32 difat = u32(data, 0x44);
    for (quint32 n = u32(data, 0x48); n > 0 && difat < lastSector && fatSectors.size() < fatCount; --n) {
        const QByteArray s = sector(difat);
        QList<quint32> words;
        appendWords(words, s);
        if (words.isEmpty())
            return;
        difat = words.takeLast();
        fatSectors << words;
    }
    for (quint32 i = 0; i < fatCount && i < quint32(fatSectors.size()); ++i)
        appendWords(fat_, sector(fatSectors.at(i)));

    directory_ = chain(u32(data, 0x30), false);
    if (directory_.size() < 128)
        return;
    appendWords(miniFat_, chain(u32(data, 0x3C), false));
    miniStream_ = chain(u32(directory_, 116), false).left(u32(directory_, 120));
    valid_ = true;
}

QByteArray CompoundFile::chain(quint32 start, bool mini) const
{
    const QList<quint32>& table = mini ? miniFat_ : fat_;
    QByteArray out;
    // A damaged file may loop; no chain is longer than its table.
    for (qsizetype steps = 0; start < lastSector && steps <= table.size(); ++steps) {
        if (mini)
            out += miniStream_.mid(qsizetype(start) * 64, 64);
        else
            out += data_.mid(qsizetype(start + 1) * sectorSize_, sectorSize_);
        start = table.value(start, 0xFFFFFFFE);
    }
    return out;
}

std::optional<QByteArray> CompoundFile::stream(const QString& name) const
{
    for (qsizetype at = 0; valid_ && at + 128 <= directory_.size(); at += 128) {
        const int chars = u16(directory_, at + 64) / 2 - 1;
        if (directory_.at(at + 66) != 2 || chars <= 0 || chars > 31)
            continue;
        const QByteArray raw = directory_.mid(at, chars * 2);
        QString entry(chars, Qt::Uninitialized);
        for (int i = 0; i < chars; ++i)
            entry[i] = QChar(u16(raw, 2 * i));
        if (entry.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const quint32 size = u32(directory_, at + 120);
        return chain(u32(directory_, at + 116), size < miniCutoff_).left(size);
    }
    return std::nullopt;
}

BiffSheets biffSheets(const QByteArray& book)
{
    BiffSheets out;
    bool window = false;
    for (qsizetype at = 0; at + 4 <= book.size();) {
        const quint16 type = u16(book, at), len = u16(book, at + 2);
        const QByteArray rec = book.mid(at + 4, len);
        if (type == 0x000A)   // EOF of the workbook globals
            break;
        if (type == 0x003D && !window) {   // WINDOW1
            out.selectedTab = u16(rec, 10);
            window = true;
        } else if (type == 0x0085 && rec.size() > 5) {   // BOUNDSHEET
            out.sheetTypes << quint8(rec.at(5));
        }
        at += 4 + len;
    }
    return out;
}

} // namespace tess
