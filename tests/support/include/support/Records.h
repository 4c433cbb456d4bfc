#pragma once
// What a stored record the simulator sent must look like in the data file, and the
// records a simulator process sent.

#include "datafile/DataFile.h"
#include "plant/Plant.h"
#include "support/Files.h"
#include "support/SimProcess.h"

#include <QtTest>

#include <QByteArray>
#include <QList>
#include <QString>

namespace support {

inline QString Pad5(const QByteArray &v) { return QString::fromLatin1(v).rightJustified(5, u' '); }

// The data-file line a stored record reply ("G" five depths in tenths of °C; O2; mode;
// aux; min; h; d; m; y; run; cycles;) must become: whole degrees (truncated), the
// reference depth (the program's own rule, checked on its own elsewhere), O2 in vol%
// with a comma.
inline QString ExpectedLine(int number, const QString &reply)
{
    const QList<QByteArray> f = reply.mid(1).toLatin1().split(';');
    QString temps;
    TLiveValues v;
    qint32 *depth[5] = {&v.T5, &v.T4, &v.T3, &v.T2, &v.T1};
    for (int i = 0; i < 5; ++i) {
        *depth[i] = f[i].toInt() / 10;
        temps += Pad5(QByteArray::number(*depth[i])) + u';';
    }
    ComputeRefDepth(v);
    const QByteArray o2 = QByteArray::number(f[5].toInt() / 10) + ',' + QByteArray::number(f[5].toInt() % 10);
    return QString::number(number) + u';' + QString::fromLatin1(f[10] + '.' + f[11] + ".20" + f[12] + "  " + f[9] + ':' + f[8])
        + u';' + temps + Pad5(QByteArray::number(v.RefMarke)) + u';' + Pad5(o2) + u';' + QString::fromLatin1(f[6]) + u';' + Pad5(f[13]) + u';'
        + Pad5(f[14]) + u';';
}

// The stored records a plant sent, in order.
inline QStringList RecordsSent(const Simulator &sim, int plant)
{
    QStringList out;
    for (const TraceLine &l : sim.Trace())
        if (l.event == QLatin1String("TX") && l.plant == plant && l.frame.startsWith(u'G'))
            out << l.frame;
    return out;
}

// Data lines of a file as bytes, numbered from `first`, must be exactly the records.
inline void CompareWithRecords(const QString &file, const QStringList &records, int first)
{
    QByteArray expected;
    for (int i = 0; i < records.size(); ++i)
        expected += ExpectedLine(first + i, records[i]).toLatin1() + "\r\n";
    const QByteArray bytes = support::ReadAll(file);
    QVERIFY2(bytes.endsWith(expected), (bytes.right(200) + "\nexpected:\n" + expected.right(200)).constData());
    DataFileContent c;
    QVERIFY(LoadDataFile(file, c, nullptr) && c.FileValid);
    QCOMPARE(int(c.Lines.size()), first - 1 + int(records.size()));
}

} // namespace support
