// o2-haldrix-cli register: the site register of every pile under the folders given.
//   register DIR… [--year YYYY] [--criterion NAME] [--home DIR] --out REGISTER.pdf [--csv REGISTER.csv]

#include "JournalCommand.h"

#include "base/Numbers.h"
#include "datafile/Register.h"
#include "plant/Plant.h"
#include "reports/RegisterReport.h"
#include "settings/SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <memory>

namespace {

void Print(FILE *to, const QString &text)
{
    const QByteArray b = text.toUtf8();
    std::fwrite(b.constData(), 1, size_t(b.size()), to);
}

int Usage()
{
    Print(stderr, QStringLiteral("usage: o2-haldrix-cli register DIR... [--year YYYY] [--criterion NAME] [--home DIR]\n"
                                 "                                  --out REGISTER.pdf [--csv REGISTER.csv]\n"));
    return 64;
}

} // namespace

int RegisterCommand(QStringList args)
{
    QStringList folders;
    QString out, csv, criterionName, home = QCoreApplication::applicationDirPath();
    qint32 year = 0;
    while (!args.isEmpty()) {
        const QString a = args.takeFirst();
        if (!a.startsWith(QLatin1String("--"))) {
            folders << a;
            continue;
        }
        if (args.isEmpty())
            return Usage();
        const QString v = args.takeFirst();
        if (a == QLatin1String("--out"))
            out = v;
        else if (a == QLatin1String("--csv"))
            csv = v;
        else if (a == QLatin1String("--criterion"))
            criterionName = v;
        else if (a == QLatin1String("--home"))
            home = v;
        else if (!(a == QLatin1String("--year") && ParseInt32(QStringView(v), year) && year >= 1990 && year <= 2200))
            return Usage();
    }
    if (folders.isEmpty() || (out.isEmpty() && csv.isEmpty()))
        return Usage();
    for (const QString &f : folders)
        if (!QFileInfo(f).isDir()) {
            Print(stderr, QStringLiteral("%1: not a folder\n").arg(f));
            return 1;
        }
    // The home folder's settings: the plants' folders, the criterion, the calendar.
    SetProgramFolder(home);
    auto ini = std::make_unique<TSettingsFile>(Settings().ProgramFolder + QStringLiteral("Haldrix.ini"));
    Settings().SettingsFile = ini.get();
    LoadProgramSettings();
    if (criterionName.isEmpty())
        criterionName = ReadSetting(QStringLiteral("COM"), QStringLiteral("KRITERIUM"), QString::fromLatin1(DefaultHygieneCriterion()));
    const HygieneCriterion *criterion = FindHygieneCriterion(criterionName);
    int status = 0;
    if (!criterion) {
        Print(stderr, QStringLiteral("unknown criterion %1\n").arg(criterionName));
        status = 64;
    } else {
        const std::vector<RegisterRow> rows = BuildRegister(folders, year, *criterion, Plants().RefTemp, ReadHygieneCalendar());
        QStringList shown;
        for (const QString &f : folders)
            shown << QDir::toNativeSeparators(f);
        const QString scope = (year > 0 ? QString::number(year) + QStringLiteral(", ") : QString()) + shown.join(QStringLiteral(", "));
        QString error;
        int pages = 0;
        if (!out.isEmpty() && !WriteRegisterPdf(out, rows, scope, QCoreApplication::translate("Hygiene", criterion->title), &error, &pages)) {
            Print(stderr, QStringLiteral("cannot write the register: %1\n").arg(error));
            status = 4;
        } else if (!csv.isEmpty() && !WriteRegisterCsv(csv, rows, &error)) {
            Print(stderr, QStringLiteral("cannot write the register: %1\n").arg(error));
            status = 4;
        } else {
            QString t;
            for (const RegisterRow &r : rows)
                t += QStringLiteral("%1: %2\n").arg(QDir::toNativeSeparators(r.file), r.verdict);
            t += QStringLiteral("piles: %1").arg(rows.size()) + (out.isEmpty() ? QString() : QStringLiteral(", pages: %1").arg(pages)) + u'\n';
            Print(stdout, t);
        }
    }
    Settings().SettingsFile = nullptr;
    return status;
}
